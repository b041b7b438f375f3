// The game's random numbers: 0..32767, seeded from the clock in whole seconds.
#pragma once

void seedRandom(unsigned seed);
// Seeds from the calendar time in seconds (draws within one second repeat).
void seedRandomFromClock();
int nextRandom();
