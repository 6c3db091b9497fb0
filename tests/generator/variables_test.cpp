#include "generator/variables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "generator/generator_params.h"

namespace zu {
namespace {

TEST(Variables, ResetValuesByIndex) {
  GeneratorParams p;
  p.Reset();
  const float want[kVariableCount] = {1.0f, 0, 0, 0.3f, 0, 0.4f, 0.3f, 0, 0, 0, 0, 0,
                                      0,    0, 0, 0,    0, 0,    0,    1, 0, 0, 0, 0};
  for (int i = 0; i < kVariableCount; ++i) EXPECT_EQ(GetParamVariable(p, i), want[i]) << i;
}

// Every index reaches its own field and no other.
TEST(Variables, IndexMapsToTheFieldOrder) {
  GeneratorParams p;
  p.Reset();
  for (int i = 0; i < kVariableCount; ++i) SetParamVariable(p, i, static_cast<float>(100 + i));
  EXPECT_EQ(p.soundVolume, 100.0f);
  EXPECT_EQ(p.waveType, 101);
  EXPECT_EQ(p.attackTime, 102.0f);
  EXPECT_EQ(p.decayTime, 105.0f);
  EXPECT_EQ(p.startFreq, 106.0f);
  EXPECT_EQ(p.vibDepth, 110.0f);
  EXPECT_EQ(p.changeAmount, 112.0f);
  EXPECT_EQ(p.changeSpeed, 113.0f);
  EXPECT_EQ(p.squareDuty, 114.0f);
  EXPECT_EQ(p.lpCutoff, 119.0f);
  EXPECT_EQ(p.hpCutoffSweep, 123.0f);
  EXPECT_EQ(p.masterVolume, 0.05f);
  EXPECT_EQ(p.vibDelay, 0.0f);
  for (int i = 0; i < kVariableCount; ++i) EXPECT_EQ(GetParamVariable(p, i), 100.0f + i);
}

TEST(Variables, WaveTypeTruncatesAndSaturatesToIndefinite) {
  GeneratorParams p;
  p.Reset();
  SetParamVariable(p, 1, 3.7f);
  EXPECT_EQ(p.waveType, 3);
  SetParamVariable(p, 1, -2.9f);
  EXPECT_EQ(p.waveType, -2);
  SetParamVariable(p, 1, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(p.waveType, INT32_MIN);
  SetParamVariable(p, 1, 3e9f);
  EXPECT_EQ(p.waveType, INT32_MIN);
  SetParamVariable(p, 1, -2147483648.0f);
  EXPECT_EQ(p.waveType, INT32_MIN);
  SetParamVariable(p, 1, 2147483520.0f);
  EXPECT_EQ(p.waveType, 2147483520);
  p.waveType = 7;
  EXPECT_EQ(GetParamVariable(p, 1), 7.0f);
}

TEST(Variables, OutsideIndicesDoNothing) {
  GeneratorParams p;
  p.Reset();
  const GeneratorParams before = p;
  for (int i : {-1, 24, INT32_MIN, INT32_MAX}) {
    SetParamVariable(p, i, 9.0f);
    EXPECT_EQ(GetParamVariable(p, i), 0.0f);
    EXPECT_EQ(FloatVariable(p, i), nullptr);
  }
  EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
  EXPECT_EQ(FloatVariable(p, 1), nullptr);
}

TEST(Variables, ValuesAreStoredUnchecked) {
  GeneratorParams p;
  p.Reset();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  SetParamVariable(p, 19, nan);
  EXPECT_TRUE(std::isnan(p.lpCutoff));
  SetParamVariable(p, 8, -0.0f);
  EXPECT_TRUE(std::signbit(GetParamVariable(p, 8)));
}

}  // namespace
}  // namespace zu
