#include "generator/random_source.h"

#include <gtest/gtest.h>

namespace zu {
namespace {

TEST(RandomSource, FirstDrawsAfterSeedOne) {
  SeedRandom(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
  for (int value : expected) EXPECT_EQ(NextRand(), value);
}

TEST(RandomSource, RandomUpToFirstDrawAfterSeedOne) {
  SeedRandom(1);
  EXPECT_EQ(RandomUpTo(1.0f), static_cast<float>(0.0041));
}

TEST(RandomSource, SeedZeroUsesTheClock) {
  const uint32_t before = CurrentTimeSeed();
  SeedRandom(0);
  const uint32_t seeded = RandState();
  const uint32_t after = CurrentTimeSeed();
  EXPECT_GE(seeded, before);
  EXPECT_LE(seeded, after);
}

}  // namespace
}  // namespace zu
