// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/competition.h"

#include <algorithm>
#include <ctime>
#include <iterator>

#include "contest/field.h"
#include "contest/names.h"
#include "contest/results_file.h"
#include "contest/season_file.h"
#include "core/language.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/game_step.h"
#include "game/input.h"
#include "game/save_notices.h"
#include "game/scene_setup.h"
#include "score/points.h"

namespace {

// --- The panel ---

int formatsOffered(const ContestPanel& p) {
    return p.savedSeason ? 3 : 2;
}

bool lineShown(const ContestPanel& p, PanelLine line) {
    const int name = static_cast<int>(line) - static_cast<int>(PanelLine::Name1);
    // A continued season keeps its own players and field.
    if (p.format == 2) return line == PanelLine::Format;
    return name < 0 || name >= kMaxHumans || name < p.humans;
}

void moveLine(ContestPanel& p, int by) {
    int line = static_cast<int>(p.line);
    const int last = static_cast<int>(PanelLine::Computers);
    do
        line = std::clamp(line + by, 0, last);
    while (!lineShown(p, static_cast<PanelLine>(line)) && line > 0 && line < last);
    if (lineShown(p, static_cast<PanelLine>(line))) p.line = static_cast<PanelLine>(line);
}

void changeValue(ContestPanel& p, int by) {
    switch (p.line) {
    case PanelLine::Format:
        p.format = (p.format + by + formatsOffered(p)) % formatsOffered(p);
        break;
    case PanelLine::Humans:
        p.humans = std::clamp(p.humans + by, 1, kMaxHumans);
        break;
    case PanelLine::Computers:
        p.computers = std::clamp(p.computers + by, 0, kFieldSize);
        break;
    default:
        break;
    }
}

std::string* editedName(ContestPanel& p) {
    const int name = static_cast<int>(p.line) - static_cast<int>(PanelLine::Name1);
    return name >= 0 && name < kMaxHumans ? &p.names[name] : nullptr;
}

void appendUtf8(std::string& s, int code) {
    if (code < 0x80) {
        s += static_cast<char>(code);
    } else if (code < 0x800) {
        s += static_cast<char>(0xC0 | code >> 6);
        s += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        s += static_cast<char>(0xE0 | code >> 12);
        s += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// What a name may hold: what the fonts draw, printable ASCII and the Polish letters.
bool nameCharacter(int code) {
    static const int kPolish[] = {0x104, 0x105, 0x106, 0x107, 0x118, 0x119, 0x141, 0x142, 0x143,
                                  0x144, 0xD3,  0xF3,  0x15A, 0x15B, 0x179, 0x17A, 0x17B, 0x17C};
    return (code >= 32 && code < 127) ||
           std::find(std::begin(kPolish), std::end(kPolish), code) != std::end(kPolish);
}

void eraseLastCharacter(std::string& s) {
    while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80)
        s.pop_back();
    if (!s.empty()) s.pop_back();
}

// --- Turns ---

// A new competition's seed, from where the game takes its seeds (the clock, or a test's).
uint64_t newContestSeed(const Game& g) {
    const unsigned seed = g.random.seedSource ? g.random.seedSource() : clockSeed();
    return static_cast<uint64_t>(seed) * 0x9E3779B97F4A7C15ull;
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    char text[32] = "";
    if (const std::tm* t = std::localtime(&now))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", t);
    return text;
}

void saveSeasonNow(Game& g) {
    const Contest& c = *g.competition.contest;
    if (c.format() != ContestFormat::WorldCup) return;
    noteSave(g, N_("Pucharu Świata"), kSeasonPath, saveSeason(c));
}

// The scene of the competition's hill, as the start screen's confirm sets one up.
void enterCompetitionScene(Game& g) {
    readSceneBatch(g.settings);
    fitSceneChoices(g.settings);
    g.settings.hillNumber = g.competition.contest->hill();
    prepareSceneState(g);
    g.mode.screen = Screen::Scene;
    g.sceneGraphicsPending = true;
}

// The next starter at the gate; a computer jumper gets his controller.
void beginTurn(Game& g) {
    Competition& c = g.competition;
    const Contest& contest = *c.contest;
    resetJumpAndCamera(g);
    c.phase = ContestPhase::Jumping;
    c.controller.reset();
    const int starter = contest.nextStarter();
    if (starter < 0) return;
    const Starter& s = contest.starter(starter);
    if (!s.human) {
        const uint64_t seed =
            contest.seed() ^ (static_cast<uint64_t>(contest.competition()) << 40) ^
            (static_cast<uint64_t>(contest.round()) << 32) ^ static_cast<uint64_t>(starter);
        c.controller.emplace(fieldJumper(s.slot), contest.form(starter), seed);
    }
}

void showBoard(Game& g, ContestPhase board) {
    g.competition.phase = board;
    g.competition.boardScroll = 0;
}

// The jump on the hill has its result: into the competition, saved, and shown.
void recordJump(Game& g) {
    Competition& c = g.competition;
    Contest& contest = *c.contest;
    const Jump& j = g.jump;
    c.lastStarter = contest.nextStarter();
    c.lastResult = {j.jumpDistance, jumpTotal(j), j.fallen == 1 || j.landingStanceTaken == 0};
    c.lastPlace = contest.record(c.lastResult);
    c.phase = ContestPhase::Result;
    c.resultSteps = 0;
    saveSeasonNow(g);
    if (contest.competitionOver()) {
        const WriteResult written = appendResults(contest, today());
        noteSave(g, N_("wyników"), kResultsPath, written);
    }
}

} // namespace

std::string starterLabel(const Contest& contest, int starter) {
    if (starter < 0 || starter >= contest.starters()) return "";
    const Starter& s = contest.starter(starter);
    return s.human ? s.name : s.name + " (" + s.nation + ")";
}

void openContestPanel(Game& g) {
    ContestPanel& p = g.panel;
    p.open = true;
    p.line = PanelLine::Format;
    const SeasonLoad saved = loadSeason();
    p.savedSeason = saved.contest.has_value();
    if (p.format >= formatsOffered(p)) p.format = 0;
    for (int i = 0; i < kMaxHumans; ++i)
        if (p.names[i].empty()) p.names[i] = defaultPlayerName(i);
}

bool competitionRunning(const Game& g) {
    return g.competition.contest.has_value();
}

bool computerOnHill(const Game& g) {
    return competitionRunning(g) && g.competition.controller.has_value();
}

namespace {

void startFromPanel(Game& g) {
    ContestPanel& p = g.panel;
    Competition& c = g.competition;
    if (p.format == 2) {
        SeasonLoad saved = loadSeason();
        if (!saved.contest) {
            // Gone or damaged since the panel opened: a new season is offered instead.
            p.savedSeason = false;
            p.format = 1;
            return;
        }
        c = Competition{};
        c.outerSeedSource = g.random.seedSource;
        c.contest = std::move(saved.contest);
    } else {
        ContestSetup setup;
        setup.format = p.format == 1 ? ContestFormat::WorldCup : ContestFormat::Single;
        setup.hill = g.settings.hillNumber;
        for (int i = 0; i < p.humans; ++i)
            setup.humanNames.push_back(playerName(p.names[i], i));
        setup.computers = p.computers;
        setup.seed = newContestSeed(g);
        c = Competition{};
        c.outerSeedSource = g.random.seedSource;
        c.contest = Contest::start(setup);
        saveSeasonNow(g);
    }
    p.open = false;
    enterCompetitionScene(g);
    if (c.contest->competitionOver())
        showBoard(g, c.contest->format() == ContestFormat::WorldCup ? ContestPhase::SeasonBoard
                                                                    : ContestPhase::RoundBoard);
    else
        beginTurn(g);
}

} // namespace

bool handlePanelMessage(Game& g, const PlatformMessage& msg) {
    ContestPanel& p = g.panel;
    if (!p.open) return false;
    if (msg.type == MSG_PADBUTTON) {
        PlatformMessage key;
        key.type = MSG_KEYDOWN;
        key.key = msg.key == PAD_A           ? VK_RETURN
                  : msg.key == PAD_DPAD_UP   ? VK_UP
                  : msg.key == PAD_DPAD_DOWN ? VK_DOWN
                                             : VK_ESCAPE;
        return handlePanelMessage(g, key);
    }
    if (msg.type == MSG_KEYDOWN) {
        switch (msg.key) {
        case VK_UP:
            moveLine(p, -1);
            break;
        case VK_DOWN:
            moveLine(p, 1);
            break;
        case VK_LEFT:
            changeValue(p, -1);
            break;
        case VK_RIGHT:
            changeValue(p, 1);
            break;
        case VK_BACK:
            if (std::string* name = editedName(p)) eraseLastCharacter(*name);
            break;
        case VK_RETURN:
            startFromPanel(g);
            break;
        case VK_ESCAPE:
            p.open = false;
            break;
        default:
            break;
        }
        return true;
    }
    if (msg.type == MSG_CHAR) {
        std::string* name = editedName(p);
        if (name && nameCharacter(msg.key) && nameLength(*name) < kLongestName)
            appendUtf8(*name, msg.key);
        return true;
    }
    // The mouse does nothing on the panel.
    return msg.type == MSG_LBUTTONDOWN || msg.type == MSG_RBUTTONDOWN;
}

std::optional<PlatformMessage> computerMessage(Game& g) {
    Competition& c = g.competition;
    if (!c.controller || c.phase != ContestPhase::Jumping) return std::nullopt;
    const StepInput in = c.controller->nextInput(g);
    if (!in.hasMessage) return std::nullopt;
    return in.message;
}

namespace {

// One computer jump played on, unseen, to its result through the same step as a seen one.
void finishComputerJump(Game& g) {
    for (int n = 0; n < kLongestJumpSteps && !jumpHasResult(g.jump); ++n)
        playSceneStep(g, 0, 0);
    if (g.competition.phase == ContestPhase::Jumping) recordJump(g);
}

void moveOn(Game& g);

// S and a skipped result: every computer jump up to a human's turn or the round's end.
void skipComputers(Game& g) {
    Competition& c = g.competition;
    c.skipping = true;
    while (c.skipping) {
        if (c.phase == ContestPhase::Result) moveOn(g);
        if (c.phase != ContestPhase::Jumping || !c.controller) break;
        finishComputerJump(g);
    }
    c.skipping = false;
}

// From a result or a board to whatever follows it.
void moveOn(Game& g) {
    Competition& c = g.competition;
    Contest& contest = *c.contest;
    if (c.phase == ContestPhase::Result) {
        // The final's first turn not yet taken: the first round has just ended.
        const bool roundOver =
            contest.competitionOver() || (contest.round() == 2 && contest.turn() == 0);
        if (roundOver) {
            showBoard(g, ContestPhase::RoundBoard);
            c.skipping = false;
        } else {
            beginTurn(g);
        }
        return;
    }
    if (c.phase == ContestPhase::RoundBoard) {
        if (!contest.competitionOver()) {
            beginTurn(g);
        } else if (contest.format() == ContestFormat::WorldCup) {
            showBoard(g, ContestPhase::SeasonBoard);
        } else {
            leaveCompetition(g);
            g.mode.screen = Screen::Start;
        }
        return;
    }
    if (c.phase == ContestPhase::SeasonBoard) {
        if (contest.seasonOver()) {
            removeSeason();
            leaveCompetition(g);
            g.mode.screen = Screen::Start;
            return;
        }
        contest.beginNextCompetition();
        saveSeasonNow(g);
        // The scene moves to the next hill; the launcher's choice stays as it is.
        g.settings.hillNumber = contest.hill();
        prepareSceneState(g);
        g.sceneGraphicsPending = true;
        beginTurn(g);
    }
}

bool confirmKey(int key) {
    return key == VK_RETURN || key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU;
}

} // namespace

bool handleCompetitionMessage(Game& g, const PlatformMessage& msg) {
    Competition& c = g.competition;
    if (!c.contest || g.mode.help) return false;
    const bool key = msg.type == MSG_KEYDOWN, ch = msg.type == MSG_CHAR;
    // Esc leaves (the season stays saved); the usual Esc then takes the player out.
    if (key && msg.key == VK_ESCAPE) {
        if (!g.mode.paused) leaveCompetition(g);
        return false;
    }
    if (g.mode.paused) return false;
    if (c.phase == ContestPhase::RoundBoard || c.phase == ContestPhase::SeasonBoard) {
        const int last = std::max(0, c.contest->starters() - 1);
        if (key && msg.key == VK_UP) c.boardScroll = std::max(0, c.boardScroll - 1);
        if (key && msg.key == VK_DOWN) c.boardScroll = std::min(last, c.boardScroll + 1);
        if (key && msg.key == VK_PRIOR) c.boardScroll = std::max(0, c.boardScroll - 10);
        if (key && msg.key == VK_NEXT) c.boardScroll = std::min(last, c.boardScroll + 10);
        if ((key && confirmKey(msg.key)) || msg.type == MSG_LBUTTONDOWN ||
            (msg.type == MSG_PADBUTTON && msg.key == PAD_A))
            moveOn(g);
        // The sound keys and Q still act over a board.
        return !(ch && (msg.key == 'M' || msg.key == '9' || msg.key == '0' || msg.key == 'Q'));
    }
    const bool confirm = (key && confirmKey(msg.key)) || msg.type == MSG_LBUTTONDOWN ||
                         (msg.type == MSG_PADBUTTON && msg.key == PAD_A);
    const bool skipAll = ch && (msg.key == 'S' || msg.key == 's');
    if (c.phase == ContestPhase::Result) {
        if (skipAll)
            skipComputers(g);
        else if (confirm)
            moveOn(g);
        // A result is no jump to reset or steer; R replays it, the cameras still turn.
        return confirm || skipAll || msg.type == MSG_RBUTTONDOWN || msg.type == MSG_MOUSEMOVE;
    }
    if (c.controller) {
        // The computer jumper's turn: the player watches, or skips.
        if (skipAll) {
            skipComputers(g);
            return true;
        }
        if (confirm) {
            finishComputerJump(g);
            return true;
        }
        return msg.type == MSG_RBUTTONDOWN || msg.type == MSG_MOUSEMOVE ||
               (msg.type == MSG_PADBUTTON && msg.key != PAD_START);
    }
    // The player's own turn: one jump, no second try. The confirm keys and a click on the
    // ground after the landing do not reset it.
    if (key && confirmKey(msg.key)) return true;
    if (msg.type == MSG_LBUTTONDOWN && g.jump.atGate == 0 && g.jump.jumperY == g.jump.groundY)
        return true;
    return skipAll;
}

void stepCompetition(Game& g) {
    Competition& c = g.competition;
    if (!c.contest) return;
    switch (c.phase) {
    case ContestPhase::Jumping: {
        const Jump& j = g.jump;
        // A starter who let the start light go red gets it again.
        if (!c.controller && j.atGate == 1 && j.awaitingStart == 1 && j.startCountdown < 0)
            resetJumpAndCamera(g);
        if (jumpHasResult(j)) recordJump(g);
        break;
    }
    case ContestPhase::Result:
        // A computer jumper's result stands a while; the player's until he goes on.
        if (c.controller && ++c.resultSteps >= kResultSteps) moveOn(g);
        break;
    default:
        break;
    }
}

void leaveCompetition(Game& g) {
    if (g.competition.contest) g.random.seedSource = g.competition.outerSeedSource;
    g.competition = Competition{};
    g.panel.open = false;
}
