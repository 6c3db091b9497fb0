#include "generator/random_source.h"

#include <ctime>

namespace zu {
namespace {
thread_local uint32_t randState = 1;
}

void SeedRand(uint32_t seed) { randState = seed; }

int NextRand() {
  randState = randState * 214013u + 2531011u;
  return static_cast<int>((randState >> 16) & 0x7FFFu);
}

uint32_t RandState() { return randState; }

float RandomUpTo(float range) {
  const int k = NextRand() % 10001;
  return static_cast<float>(static_cast<double>(k) / 10000.0 * static_cast<double>(range));
}

uint32_t CurrentTimeSeed() {
  // time_t may be 64-bit; keep the low 32 bits of the seconds count.
  return static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr)));
}

void SeedRandom(uint32_t value) { SeedRand(value == 0 ? CurrentTimeSeed() : value); }

}  // namespace zu
