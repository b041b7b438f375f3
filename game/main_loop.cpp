// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/main_loop.h"

#include <cmath>

#include "game/game_step.h"

StepClock::StepClock(double start, double stepSeconds) : step_(stepSeconds), next_(start) {}

int StepClock::due(double now) {
    if (now < next_) return 0;
    const double behind = std::floor((now - next_) / step_) + 1;
    if (behind > kMaxStepsPerFrame) {
        next_ = now + step_;
        return kMaxStepsPerFrame;
    }
    const int n = static_cast<int>(behind);
    next_ += n * step_;
    return n;
}

void runFrameLoop(const FrameLoop& loop) {
    StepClock clock(loop.now(), kStepSeconds);
    for (;;) {
        const int due = clock.due(loop.now());
        if (due == 0) {
            // Nothing new to show: a frame now would repeat the last one.
            loop.sleepUntil(clock.nextStepAt());
            continue;
        }
        for (int i = 0; i < due; ++i)
            if (!loop.step()) return;
        // Presenting waits for the display where the driver offers vsync.
        loop.draw();
    }
}
