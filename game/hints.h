// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Help for a new player: the F1 panel of the controls, and short hints after a jump goes
// wrong. Neither changes the jump.
#pragma once
#include <string>

struct Game;

// The hint band: a hint on the player's jump, or a notice, and what the jump already told.
struct Hints {
    bool wanted = true;
    const char* shown = nullptr;
    int stepsLeft = 0;
    bool toldLate = false, toldNoStance = false;
    std::string notice;
    int noticeStepsLeft = 0;
};

// F1: the panel over everything, or away again.
void toggleHelp(Game& g);
// The panel's lines, in Polish: the catalogue's ids, translated where they are drawn.
extern const char* const kHelpLines[];
extern const int kHelpLineCount;

// The hint on screen now, or nullptr.
const char* currentHint(const Game& g);
// A notice in the hint band: the game's word on something the player did or that went wrong
// (a setting changed, a file not saved). Shown whatever the hint setting, over any hint, for
// `steps` scene steps.
void showNotice(Game& g, const std::string& text, int steps);
// The notice on screen now, or nullptr.
const char* currentNotice(const Game& g);
bool hintsOn(const Game& g);
// H: hints off or on, kept in Data/hints.dat.
void toggleHints(Game& g);
// Reads Data/hints.dat (missing: on).
void readHintsChoice(Game& g);

// A left click on the in-run before the take-off window: the take-off is refused.
void hintEarlyClick(Game& g);
// One scene step: the hints that a jump's course calls for, and the time the shown one has.
void stepHints(Game& g);
