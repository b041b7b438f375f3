// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random.h"

#include <ctime>

namespace {
unsigned state = 1;

unsigned clockSeed() {
    return static_cast<unsigned>(std::time(nullptr));
}

RandomSeedSource seedSource = clockSeed;
} // namespace

void seedRandom(unsigned seed) {
    state = seed;
}

void (*randomSeedListener)(unsigned seed) = nullptr;

void seedRandomFromClock() {
    const unsigned seed = seedSource();
    if (randomSeedListener) randomSeedListener(seed);
    seedRandom(seed);
}

unsigned randomState() {
    return state;
}

void setRandomSeedSource(RandomSeedSource source) {
    seedSource = source ? source : clockSeed;
}

RandomSeedSource randomSeedSource() {
    return seedSource;
}

// A 15-bit linear congruential generator; the C library's rand() has a wider range here.
int nextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
