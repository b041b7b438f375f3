// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/computer_jumper.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "contest/contest_random.h"
#include "core/random.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/replay.h"
#include "jump/controls.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "score/points.h"

namespace {

// How far a skill of 0 and one of 1 miss: seconds of take-off error (the spread of a normal
// draw, taken early), the lean and the landing margin (its mean and spread). The field's
// spread on our hills comes from these; see the computer jumper test for the bands.
constexpr float kTakeoffSpreadWorst = 0.10f, kTakeoffSpreadBest = 0.015f;
constexpr float kLandingMarginWorst = 0.03f, kLandingMarginBest = 0.06f;
constexpr float kLandingSpreadWorst = 0.03f, kLandingSpreadBest = 0.012f;
constexpr float kLeanDelayWorst = 0.8f;
constexpr float kLeanBackWorst = 4.0f;
// The cursor moves this far for one lean, from the middle of the default window.
constexpr int kLeanMove = 6, kCursorX = 400, kCursorY = 300;
// A jump takes well under a minute of steps at the slowest game speed.
constexpr int kMaxSteps = 3600;

float mix(float worst, float best, float skill) {
    return worst + (best - worst) * skill;
}

float unit(ContestRandom& r) {
    return (static_cast<float>(r.below(1 << 24)) + 0.5f) / static_cast<float>(1 << 24);
}

float normal(ContestRandom& r) {
    const float u = unit(r), v = unit(r);
    return std::sqrt(-2.0f * std::log(u)) * std::cos(6.2831853f * v);
}

int stepsOf(float seconds, float step) {
    return static_cast<int>(std::lround(seconds / step));
}

StepInput message(MessageType type, int x = 0, int y = 0) {
    StepInput in;
    in.hasMessage = true;
    in.message.type = type;
    in.message.x = x;
    in.message.y = y;
    return in;
}

// A look ahead on a copy of the jump, stepped as the game steps it between the controller's
// inputs; its own generator keeps the game's numbers untouched.
class Lookahead {
  public:
    Lookahead(const Jump& j, const Settings& s) : jump_(j) {
        random_.seedSource = [] { return 0u; };
        course_.hill = s.hillNumber;
        course_.speed = s.gameSpeed;
        course_.random = &random_;
    }
    const Jump& step() {
        stepJumper(jump_, course_);
        return jump_;
    }

  private:
    Jump jump_;
    Random random_;
    Course course_;
};

bool onGround(const Jump& j) {
    return j.jumperY == j.groundY;
}

} // namespace

ComputerJumper::ComputerJumper(const FieldJumper& who, float form, uint64_t seed) {
    ContestRandom r{seed};
    judgesSeed_ = static_cast<unsigned>(r.next() & 0xFFFFFFFFu);
    const float takeOff = std::clamp(who.takeOff + form, 0.0f, 1.0f);
    const float lean = std::clamp(who.lean + form, 0.0f, 1.0f);
    const float landing = std::clamp(who.landing + form, 0.0f, 1.0f);

    plan_.startDelay = 10 + r.below(90);
    // The weaker miss by more, and always early: late is past the edge.
    plan_.takeoffEarly =
        std::fabs(normal(r)) * mix(kTakeoffSpreadWorst, kTakeoffSpreadBest, takeOff);
    // Full lean, and the weaker ease back from it: each back move loses a third of a step.
    plan_.leanForward = 5;
    plan_.leanDelay = (1.0f - lean) * kLeanDelayWorst * unit(r);
    plan_.leanBack =
        std::clamp(static_cast<int>(std::lround(kLeanBackWorst * (1.0f - lean) + normal(r))), 0, 6);
    plan_.landingEarly = mix(kLandingMarginWorst, kLandingMarginBest, landing) +
                         mix(kLandingSpreadWorst, kLandingSpreadBest, landing) * normal(r);
}

ComputerJumper::ComputerJumper(const JumpPlan& plan, unsigned judgesSeed)
    : plan_(plan), judgesSeed_(judgesSeed) {}

StepInput ComputerJumper::moveMouse(int dy) {
    cursorY_ += dy;
    return message(MSG_MOUSEMOVE, kCursorX, cursorY_);
}

void ComputerJumper::planTakeoff(const Jump& j, const Settings& s) {
    const HillStart* h = hillStart(s.hillNumber);
    const float dt = clockStep(s.gameSpeed);
    takeoffIn_ = -2; // no step that takes off: he rolls over the edge
    if (!h || dt <= 0) return;
    // Steps k = 1, 2, ... from now at which a click takes off: inside the window, and not on
    // the ground, where a click starts the jump again.
    Lookahead ahead(j, s);
    int first = 0, last = 0;
    for (int k = 1; k <= kMaxSteps; ++k) {
        const Jump& s = ahead.step();
        if (s.jumperZ >= h->takeoffWindow[1]) break;
        if (s.jumperZ > h->takeoffWindow[0] && !onGround(s)) {
            if (first == 0) first = k;
            last = k;
        }
    }
    if (first == 0) return;
    // The best step is the last one: the run is fastest there.
    const int target = std::max(first, last - stepsOf(plan_.takeoffEarly, dt));
    takeoffIn_ = target - 1; // the click of the next step lands on step 1
}

StepInput ComputerJumper::nextInput(const Game& g) {
    const Jump& j = g.jump;
    const Settings& s = g.settings;
    const float dt = clockStep(s.gameSpeed);
    if (!hillStart(s.hillNumber) || dt <= 0) return {};

    if (j.atGate == 1) {
        // A known cursor first, so that a lean up never wraps below the window's edge.
        if (!cursorSet_) {
            cursorSet_ = true;
            cursorY_ = kCursorY;
            return message(MSG_MOUSEMOVE, kCursorX, cursorY_);
        }
        if (startAllowed(j) && ++gateSteps_ > plan_.startDelay) return message(MSG_LBUTTONDOWN);
        return {};
    }

    if (j.inFlight == 0) {
        if (j.runStarted != 1 || takeoffIn_ == -2) return {};
        if (takeoffIn_ == -1) planTakeoff(j, s);
        if (takeoffIn_ == 0) {
            takeoffIn_ = -2;
            return message(MSG_LBUTTONDOWN);
        }
        if (takeoffIn_ > 0) --takeoffIn_;
        return {};
    }

    // Down without the stance he has fallen; a plan that is too late never clicks in time.
    if (j.landingStance == 1 || j.fallen == 1) return {};
    const HillStart* h = hillStart(s.hillNumber);
    if (plan_.landingEarly >= 0) {
        // Down, or past the end of the landing window, within `margin` steps after the click's
        // step: take the stance now.
        const int margin = stepsOf(plan_.landingEarly, dt);
        Lookahead ahead(j, s);
        for (int k = 1; k <= margin + 2; ++k) {
            const Jump& s = ahead.step();
            if (onGround(s) || s.jumperZ >= h->landingWindow[1]) {
                if (k >= 2) return message(MSG_RBUTTONDOWN);
                break;
            }
        }
    }

    // The mouse leans only once the extension has finished.
    if (j.extendStep != 0) return {};
    ++flightSteps_;
    if (flightSteps_ > stepsOf(plan_.leanDelay, dt) &&
        leansDone_ < plan_.leanForward + plan_.leanBack) {
        const bool forward = leansDone_++ < plan_.leanForward;
        return moveMouse(forward ? kLeanMove : -kLeanMove);
    }
    return {};
}

JudgesSeed::JudgesSeed(Game& g, unsigned seed) : game_(g), before_(g.random.seedSource) {
    g.random.seedSource = [seed] { return seed; };
}

JudgesSeed::~JudgesSeed() {
    game_.random.seedSource = std::move(before_);
}

bool jumpHasResult(const Jump& j) {
    if (!onGround(j)) return false;
    if (j.fallen == 1) return j.fallProgress >= 110;
    return j.takeoffDone == 1 && j.landingStanceTaken == 1 && j.trunkBend <= 30;
}

std::optional<JumpResult> playComputerJump(Game& g, ComputerJumper& jumper) {
    if (!sceneShown(g) || g.mode.paused || g.mode.help || replayRunning(g)) return std::nullopt;
    JudgesSeed judges(g, jumper.judgesSeed());
    for (int step = 0; step < kMaxSteps && !jumpHasResult(g.jump); ++step)
        if (!stepGame(g, jumper.nextInput(g))) return std::nullopt;
    if (!jumpHasResult(g.jump)) return std::nullopt;
    return JumpResult{g.jump.jumpDistance, jumpTotal(g.jump), g.jump.fallen == 1};
}
