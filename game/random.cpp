#include "game/random.h"

#include <ctime>

namespace {
unsigned state = 1;
}

void seedRandom(unsigned seed) {
    state = seed;
}

void seedRandomFromClock() {
    seedRandom(static_cast<unsigned>(std::time(nullptr)));
}

// A 15-bit linear congruential generator; the C library's rand() has a wider range here.
int nextRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}
