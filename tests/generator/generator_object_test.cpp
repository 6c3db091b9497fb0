// Creating an object's generator: the buffer and the reseed only with the
// generator enabled, the generator always.
#include "generator/generator_object.h"

#include <gtest/gtest.h>

#include <cstring>

#include "generator/random_source.h"
#include "generator/wave_render.h"

namespace zu {
namespace {

TEST(GeneratorObjectTest, DisabledKeepsTheRandomStreamEnabledSizesTheBuffer) {
  SeedRand(77);
  SoundGenerator expected;  // the same 32 draws after the same seed
  SeedRand(77);
  GeneratorObject disabled = CreateGeneratorObject(false, 5);
  ASSERT_NE(disabled.generator, nullptr);
  EXPECT_EQ(disabled.waveBuffer, nullptr);
  EXPECT_EQ(disabled.waveCapacity, 0u);
  EXPECT_EQ(std::memcmp(disabled.generator->state.noiseTable, expected.state.noiseTable,
                        sizeof(expected.state.noiseTable)),
            0)
      << "no reseed without the generator";
  ReleaseGeneratorObject(disabled);
  EXPECT_EQ(disabled.generator, nullptr);

  GeneratorObject enabled = CreateGeneratorObject(true, 15);
  ASSERT_NE(enabled.generator, nullptr);
  ASSERT_NE(enabled.waveBuffer, nullptr);
  EXPECT_EQ(enabled.waveCapacity, 820000u);  // at most 10 units count
  EXPECT_EQ(std::memcmp(enabled.waveBuffer, "RIFF", 4), 0);
  EXPECT_EQ(enabled.waveBuffer[40] | enabled.waveBuffer[41], 0) << "an empty sound";
  ReleaseGeneratorObject(enabled);
}

}  // namespace
}  // namespace zu
