// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's random numbers: 0..32767, seeded from the clock in whole seconds.
#pragma once

void seedRandom(unsigned seed);
// Seeds from the seed source: by default the calendar time in seconds (draws within one
// second repeat).
void seedRandomFromClock();
int nextRandom();

// Where seedRandomFromClock takes its seed: tests and replays fix the wind and the marks
// with a source of their own; nullptr gives the clock back.
using RandomSeedSource = unsigned (*)();
void setRandomSeedSource(RandomSeedSource source);
RandomSeedSource randomSeedSource();

// Told every seed seedRandomFromClock takes (a replay gives the judges the same again).
extern void (*randomSeedListener)(unsigned seed);
// The generator's state, to put back with seedRandom.
unsigned randomState();
