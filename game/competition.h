// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Competitions in the game: the K panel on the start screen, the turns on the hill (the
// player's jumps and the computer jumpers'), skipping, the result line and the boards.
// Free jumping goes on as before whenever no competition runs.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "contest/contest.h"
#include "game/computer_jumper.h"
#include "jump/jump_state.h"
#include "platform/platform.h"

struct Game;

// The K panel's lines, top to bottom (the names follow the player count).
enum class PanelLine : uint8_t { Format, Humans, Name1, Name2, Name3, Name4, Computers };

struct ContestPanel {
    bool open = false;
    PanelLine line = PanelLine::Format;
    // 0 "Konkurs", 1 "Puchar Świata", 2 "Kontynuuj Puchar Świata" (only with a saved season).
    int format = 0;
    bool savedSeason = false;
    int humans = 1;
    std::string names[kMaxHumans];
    int computers = 49;
};

enum class ContestPhase : uint8_t {
    Jumping,     // a starter on the hill
    Result,      // his jump's result line, the jumper still on the ground
    RoundBoard,  // the standings after a round (or the final results)
    SeasonBoard, // the World Cup standings after a competition of a season
};

struct Competition {
    std::optional<Contest> contest;
    ContestPhase phase = ContestPhase::Jumping;
    // The computer jumper on the hill, when it is one.
    std::optional<ComputerJumper> controller;
    // The last jump's starter, result and place so far.
    int lastStarter = -1;
    JumpResult lastResult;
    int lastPlace = 0;
    int resultSteps = 0;
    // S: every computer jump unseen up to the next human jump or the end of the round.
    bool skipping = false;
    // The first line of a board shown.
    int boardScroll = 0;
    // Where the judges' seeds come from outside a computer jumper's turn (the clock).
    std::function<unsigned()> outerSeedSource;
};

// The steps a computer jump's result stays on screen before the next starter.
constexpr int kResultSteps = 150;
// A jump that has no result after this many steps (a jumper who never starts) is ended.
constexpr int kLongestJumpSteps = 7200;

// K on the start screen: the panel, its saved-season choice looked up.
void openContestPanel(Game& g);
// The panel's keys and typing; true when the panel took the message.
bool handlePanelMessage(Game& g, const PlatformMessage& msg);

bool competitionRunning(const Game& g);
// A computer jumper is on the hill: his jump sets no record and gives the player no hints.
bool computerOnHill(const Game& g);
// The competition's keys over the scene (Enter, S, Esc, PgUp/PgDn on a board); true when
// taken. Clicks and mouse moves never reach a computer jumper.
bool handleCompetitionMessage(Game& g, const PlatformMessage& msg);
// The computer jumper's input for this step, when one is on the hill.
std::optional<PlatformMessage> computerMessage(Game& g);
// After the scene step: a jump with its result is recorded, and the turns move on.
void stepCompetition(Game& g);
// The competition ends (Esc to the start screen, or its end): a season stays saved.
void leaveCompetition(Game& g);

// Texts for the drawing.
std::string starterLabel(const Contest& contest, int starter);
