// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Help for a new player: the F1 panel of the controls, and short hints after a jump goes
// wrong. Neither changes the jump.
#pragma once
#include <string>

// The F1 panel is shown; the scene's clock stands still meanwhile.
extern bool helpShown;
void toggleHelp();
// The panel's lines, in Polish: the catalogue's ids, translated where they are drawn.
extern const char* const kHelpLines[];
extern const int kHelpLineCount;

// The hint on screen now, or nullptr.
const char* currentHint();
// A notice in the hint band: the game's word on something the player did or that went wrong
// (a setting changed, a file not saved). Shown whatever the hint setting, over any hint, for
// `steps` scene steps.
void showNotice(const std::string& text, int steps);
// The notice on screen now, or nullptr.
const char* currentNotice();
bool hintsOn();
// H: hints off or on, kept in Data/hints.dat.
void toggleHints();
// Reads Data/hints.dat (missing: on).
void readHintsChoice();

// A left click on the in-run before the take-off window: the take-off is refused.
void hintEarlyClick();
// One scene step: the hints that a jump's course calls for, and the time the shown one has.
void stepHints();
// Nothing shown, hints on, nothing remembered of the jump (program start).
void resetHints();
