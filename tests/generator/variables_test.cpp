#include "generator/variables.h"

#include <gtest/gtest.h>

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

// Every float, signalling NaNs of both signs included, is stored and read
// back bit for bit: on 32-bit x86 a float passed through the x87 unit would
// come back quiet.
TEST(Variables, ValuesKeepEveryBit) {
  GeneratorParams p;
  p.Reset();
  const uint32_t patterns[] = {0x7F800001u, 0xFF800001u, 0x7FBFFFFFu, 0xFFA5A5A5u,
                               0x7FC00000u, 0x80000000u, 0x00000001u, 0xFF800000u};
  for (uint32_t bits : patterns) {
    for (int i = 0; i < kVariableCount; ++i) {
      if (i == 1) continue;
      SetVariableBits(p, i, bits + static_cast<uint32_t>(i % 2));
      uint32_t stored;
      std::memcpy(&stored, FloatVariable(p, i), sizeof stored);
      EXPECT_EQ(stored, bits + i % 2) << i;
      EXPECT_EQ(GetVariableBits(p, i), bits + i % 2) << i;
    }
  }
  SetVariableBits(p, 1, 0x7F800001u);  // a signalling NaN truncates like any NaN
  EXPECT_EQ(p.waveType, INT32_MIN);
  EXPECT_EQ(GetVariableBits(p, 1), 0xCF000000u);  // -2^31
}

}  // namespace
}  // namespace zu
