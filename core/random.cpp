// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random.h"

#include <ctime>

unsigned clockSeed() {
    return static_cast<unsigned>(std::time(nullptr));
}

void Random::seedFromClock() {
    const unsigned value = seedSource ? seedSource() : clockSeed();
    if (seedListener) seedListener(value);
    seed(value);
}

// A 15-bit linear congruential generator; the C library's rand() has a wider range here.
int Random::next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
