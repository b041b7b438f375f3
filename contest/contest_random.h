// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The competitions' own random numbers: a value kept in the contest, so a season replays
// the same from its seed and the game's wind and marks draw from theirs undisturbed.
#pragma once
#include <cstdint>

struct ContestRandom {
    uint64_t state = 0;

    // splitmix64: every state is good, and the whole state fits a line of the season file.
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1 (bound > 0); the bias of a 64-bit modulo is far below anything seen.
    int below(int bound) { return static_cast<int>(next() % static_cast<uint64_t>(bound)); }
    // low .. high, both included.
    int between(int low, int high) { return low + below(high - low + 1); }
};
