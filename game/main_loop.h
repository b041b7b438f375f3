// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed-step main loop: real time says how many game steps are due, then one frame.
#pragma once
#include <functional>

// Steps run at once after a stall, at most: the rest of the lag is dropped, so the game
// never races to catch up. Five steps a frame keep full speed down to 12 frames a second.
constexpr int kMaxStepsPerFrame = 5;

// When the steps of a 1/60 s clock fall due.
class StepClock {
  public:
    StepClock(double start, double stepSeconds);
    // Steps due by `now` (at most kMaxStepsPerFrame), counted as run.
    int due(double now);
    double nextStepAt() const { return next_; }

  private:
    double step_;
    double next_;
};

struct FrameLoop {
    std::function<double()> now;            // seconds, monotonic
    std::function<void(double)> sleepUntil; // seconds on the same clock
    std::function<bool()> step;             // one game step; false ends the loop
    std::function<void()> draw;             // one frame, presented
};

// Runs until a step returns false. After the due steps it draws once; with nothing due it
// sleeps until the next step is due.
void runFrameLoop(const FrameLoop& loop);
