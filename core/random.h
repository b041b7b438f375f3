// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's random numbers: 0..32767, seeded from the clock in whole seconds.
#pragma once
#include <functional>

// The calendar time in seconds: draws within one second repeat.
unsigned clockSeed();

// One generator. Each jumper that must draw the same whatever else runs beside him has his own.
struct Random {
    unsigned state = 1;
    // Where seedFromClock takes its seed: tests and replays fix the wind and the marks with a
    // source of their own; empty means the clock.
    std::function<unsigned()> seedSource;
    // Told every seed seedFromClock takes (a replay gives the judges the same again).
    std::function<void(unsigned)> seedListener;

    void seed(unsigned value) { state = value; }
    void seedFromClock();
    int next();
};
