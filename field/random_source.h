// The generator's pseudo-random source: a 32-bit linear congruential state
// whose draws are the only randomness in a field.
#pragma once

#include <cstdint>

void seedRandom(std::uint32_t seed);

// The next integer in 0..32767.
int nextRandom();

// One draw reduced to k = 0..9999 and scaled by 0.0001, left in double
// precision: callers round it only where they store it.
double unitDraw();
