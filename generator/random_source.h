#pragma once
// The runtime-style linear congruential random source that every generator
// draws from. One state per thread, starting at 1, shared by all objects on
// that thread (the host calls everything on one thread).

#include <cstdint>

namespace zu {

/// Sets the calling thread's random state (srand).
void SeedRand(uint32_t seed);

/// Advances the state and returns the next value, 0 to 32767 (rand).
int NextRand();

/// Current state of the calling thread's source, for tests and tools.
uint32_t RandState();

/// (rand() mod 10001) / 10000.0 x range, rounded to single precision.
float RandomUpTo(float range);

/// Seeds with the value itself, or with the current calendar time in whole
/// seconds since 1970 (low 32 bits) when the value is 0.
void SeedRandom(uint32_t value);

/// Seconds since 1970-01-01 00:00 UTC, reduced to 32 bits.
uint32_t CurrentTimeSeed();

}  // namespace zu
