#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "generator/float_truncate.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"

namespace zu {
namespace {

constexpr int32_t kBudget = 410000;

// Renders with the generator's current parameters and returns the samples.
std::vector<int16_t> Render(SoundGenerator& gen, int32_t budget = kBudget) {
  std::vector<int16_t> out(static_cast<size_t>(budget > 0 ? budget : 1), 0);
  gen.Synthesize(budget, out.data());
  out.resize(static_cast<size_t>(gen.state.samplesWritten));
  return out;
}

TEST(TruncToInt32, MatchesThe32BitTarget) {
  EXPECT_EQ(TruncToInt32(1098.9), 1098);
  EXPECT_EQ(TruncToInt32(-7.9), -7);
  EXPECT_EQ(TruncToInt32(2147483647.9), 2147483647);
  EXPECT_EQ(TruncToInt32(-2147483648.9), INT32_MIN);
  EXPECT_EQ(TruncToInt32(2147483648.0), INT32_MIN);
  EXPECT_EQ(TruncToInt32(-2147483649.0), INT32_MIN);
  EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
  EXPECT_EQ(TruncToInt32(std::numeric_limits<double>::infinity()), INT32_MIN);
}

TEST(StartSynthesis, ResetParametersGiveTheKnownState) {
  SoundGenerator gen;
  gen.StartSynthesis(false);
  const SynthState& s = gen.state;
  EXPECT_EQ(s.phase, 0);
  EXPECT_EQ(s.period, 1098);
  EXPECT_DOUBLE_EQ(s.periodLimit, 100000.0);
  EXPECT_EQ(s.slideFactor, 1.0);
  EXPECT_EQ(s.duty, 0.5f);
  EXPECT_EQ(s.arpFactor, 1.0);
  EXPECT_EQ(s.arpLimit, 20032);
  EXPECT_EQ(s.envelopeLength[0], 0);
  EXPECT_EQ(s.envelopeLength[1], 9000);
  EXPECT_EQ(s.envelopeLength[2], 16000);
  EXPECT_EQ(s.phaserDelay, 0);
  EXPECT_EQ(s.repeatLimit, 0);
  EXPECT_EQ(s.lpCoef, 0.1f);  // 1.0 cubed times 0.1
  EXPECT_EQ(s.hpCoef, 0.0f);
  EXPECT_EQ(s.hpCoefFactor, 1.0f);
}

TEST(StartSynthesis, SignedPowersAndSwitches) {
  SoundGenerator gen;
  gen.params.slide = -0.5f;         // cube keeps the sign: period grows
  gen.params.changeAmount = -0.5f;  // lowers the pitch: factor 1 + 0.25 x 10
  gen.params.changeSpeed = 1.0f;    // switches the jump off
  gen.params.repeatSpeed = 0.5f;
  gen.params.phaserOffset = -0.5f;
  gen.params.phaserSweep = -0.5f;
  gen.StartSynthesis(false);
  EXPECT_DOUBLE_EQ(gen.state.slideFactor, 1.00125);
  EXPECT_DOUBLE_EQ(gen.state.arpFactor, 3.5);
  EXPECT_EQ(gen.state.arpLimit, 0);
  EXPECT_EQ(gen.state.repeatLimit, 5032);
  EXPECT_EQ(gen.state.phaserPosition, -255.0f);
  EXPECT_EQ(gen.state.phaserStep, -0.25f);
  EXPECT_EQ(gen.state.phaserDelay, 255);

  gen.params.changeAmount = 0.5f;
  gen.params.changeSpeed = 0.999999f;  // not exactly 1: the jump stays armed
  gen.StartSynthesis(false);
  EXPECT_DOUBLE_EQ(gen.state.arpFactor, 0.775);
  EXPECT_EQ(gen.state.arpLimit, 32);
}

TEST(StartSynthesis, OutOfRangeConversionsGiveInt32Min) {
  SoundGenerator gen;
  gen.params.sustainTime = 1e6f;  // square x 100000 is far beyond 32 bits
  gen.params.changeSpeed = std::numeric_limits<float>::quiet_NaN();
  gen.params.repeatSpeed = -1e30f;
  gen.params.phaserOffset = 1e10f;  // delay beyond 32 bits: abs(INT32_MIN)
  gen.params.startFreq = 0.0f;
  gen.StartSynthesis(false);
  EXPECT_EQ(gen.state.envelopeLength[1], INT32_MIN);
  EXPECT_EQ(gen.state.arpLimit, INT32_MIN);
  EXPECT_EQ(gen.state.repeatLimit, INT32_MIN);
  EXPECT_EQ(gen.state.phaserDelay, INT32_MIN);
  EXPECT_EQ(gen.state.period, 100000);
}

TEST(StartSynthesis, RepeatRestartsOnlyThePitchPath) {
  SoundGenerator gen;
  gen.params.slide = 0.3f;
  gen.params.squareDuty = 0.2f;
  gen.Synthesize(100, nullptr);
  const SynthState before = gen.state;
  gen.StartSynthesis(true);
  const double startFreq = 0.3f;
  EXPECT_EQ(gen.state.periodExact, 100.0 / (startFreq * startFreq + 0.001));
  EXPECT_NE(before.periodExact, gen.state.periodExact);
  EXPECT_EQ(gen.state.duty, 0.4f);
  EXPECT_EQ(gen.state.phase, before.phase);
  EXPECT_EQ(gen.state.envelopeTime, before.envelopeTime);
  EXPECT_EQ(gen.state.lpOutput, before.lpOutput);
  EXPECT_EQ(gen.state.hpOutput, before.hpOutput);
  EXPECT_EQ(gen.state.phaserIndex, before.phaserIndex);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(gen.state.noiseTable[i], before.noiseTable[i]);
}

// The repeat and arpeggio counters as a render cut at n samples leaves them:
// samples since the start or the last repeat, the arpeggio's counted from
// the repeat's own sample on. Cuts fall on both sides of every event.
TEST(Synthesize, RepeatAndArpeggioCountersAtAnyCut) {
  SoundGenerator gen;
  gen.params.sustainTime = 1.0f;
  gen.params.repeatSpeed = 0.5f;   // every 5032 samples
  gen.params.changeSpeed = 0.75f;  // jump after 1282
  gen.params.changeAmount = 0.5f;
  const int32_t repeat = 5032;
  for (int32_t n :
       {1, 2, 1281, 1282, 1283, 5031, 5032, 5033, 6313, 6314, 6315, 10064, 10065, 54321}) {
    gen.Synthesize(n, nullptr);
    const int32_t sinceRepeat = n % repeat;
    EXPECT_EQ(gen.state.repeatTime, sinceRepeat) << n;
    EXPECT_EQ(gen.state.arpTime, n < repeat ? n : sinceRepeat + 1) << n;
    EXPECT_EQ(gen.state.arpLimit, (n < repeat ? n : sinceRepeat + 1) >= 1282 ? 0 : 1282) << n;
  }
}

TEST(Synthesize, ResetSound) {
  SoundGenerator gen;
  const std::vector<int16_t> samples = Render(gen);
  ASSERT_EQ(samples.size(), 25003u);
  EXPECT_EQ(samples.front(), 3199);
  EXPECT_EQ(samples.back(), 0);
  EXPECT_EQ(gen.state.envelopeStage, 3);
  EXPECT_EQ(gen.state.playing, 0);
  for (int16_t v : samples) {
    EXPECT_LE(v, 32000);
    EXPECT_GE(v, -32000);
  }
}

TEST(Synthesize, BudgetsAndNullOutput) {
  SoundGenerator gen;
  EXPECT_EQ(Render(gen, 1000).size(), 1000u);
  gen.Synthesize(0, nullptr);
  EXPECT_EQ(gen.state.samplesWritten, 0);
  gen.Synthesize(-5, nullptr);
  EXPECT_EQ(gen.state.samplesWritten, 0);
  gen.Synthesize(kBudget, nullptr);
  EXPECT_EQ(gen.state.samplesWritten, 0);
  EXPECT_EQ(gen.state.envelopeStage, 3) << "a null output still runs the sound";
}

TEST(Synthesize, BudgetCutLeavesTheRestUntouched) {
  SoundGenerator gen;
  std::vector<int16_t> out(20, 0x5A5A);
  gen.Synthesize(10, out.data());
  EXPECT_EQ(gen.state.samplesWritten, 10);
  EXPECT_EQ(out[9], Render(gen, 10)[9]);
  EXPECT_EQ(out[10], 0x5A5A);
}

TEST(Synthesize, EnvelopeLengths) {
  SoundGenerator gen;
  gen.params.attackTime = 0.1f;  // 1000 samples each
  gen.params.sustainTime = 0.1f;
  gen.params.decayTime = 0.2f;  // 4000
  EXPECT_EQ(Render(gen).size(), 1000u + 1000u + 4000u + 3u);
  // The attack's first sample has gain 1/1000 of the full 3199.
  const int16_t first = Render(gen).front();
  EXPECT_GT(first, 0);
  EXPECT_LE(first, 4);
}

TEST(Synthesize, ZeroLengthStageStoresZeroForItsNotANumberSample) {
  SoundGenerator gen;
  gen.params.sustainTime = 0.001f;  // square x 100000 = 0.1: length 0
  gen.StartSynthesis(false);
  ASSERT_EQ(gen.state.envelopeLength[1], 0);
  const std::vector<int16_t> samples = Render(gen);
  ASSERT_EQ(samples.size(), 16000u + 3u);
  EXPECT_EQ(samples[0], 0);  // the sustain sample divides 0 by 0
  EXPECT_GT(samples[1], 3000) << "the decay then plays normally";
}

TEST(Synthesize, MinimumFrequencyEndsTheSound) {
  SoundGenerator gen;
  gen.params.slide = -0.3f;
  gen.params.minFreq = 0.2f;
  gen.params.sustainTime = 1.0f;
  gen.StartSynthesis(false);
  // Replay the pitch path to find the first sample past the limit.
  double period = gen.state.periodExact;
  double factor = gen.state.slideFactor;
  size_t expected = 0;
  for (;;) {
    ++expected;
    factor += gen.state.slideDelta;
    period *= factor;
    if (period > gen.state.periodLimit) break;
  }
  const std::vector<int16_t> samples = Render(gen);
  EXPECT_EQ(samples.size(), expected) << "the sample that passes the limit is stored";
  EXPECT_LT(samples.size(), 100000u);
  EXPECT_NE(samples.back(), 0);

  gen.params.minFreq = 0.0f;  // with no minimum the period is only clamped
  EXPECT_EQ(Render(gen).size(), 100000u + 16000u + 3u);
}

TEST(Synthesize, RandConsumptionByWaveType) {
  for (int wave = 0; wave <= 4; ++wave) {
    SoundGenerator gen;
    gen.params.waveType = wave;
    gen.params.startFreq = 1.0f;  // period 99: about twenty wraps
    gen.params.sustainTime = 0.05f;
    gen.params.decayTime = 0.0f;
    SeedRand(7);
    gen.StartSynthesis(false);
    const int32_t length = gen.state.envelopeLength[1] + 3;
    int64_t wraps = 0;
    int64_t phase = 0;
    for (int32_t i = 0; i < length; ++i) {
      for (int sub = 0; sub < 8; ++sub) {
        if (++phase >= gen.state.period) {
          phase %= gen.state.period;
          ++wraps;
        }
      }
    }
    SeedRand(7);
    gen.Synthesize(kBudget, nullptr);
    const uint32_t after = RandState();
    SeedRand(7);
    const int64_t draws = 32 + (wave == 3 ? 32 * wraps : 0);
    for (int64_t i = 0; i < draws; ++i) NextRand();
    EXPECT_EQ(after, RandState()) << "wave " << wave << ", " << draws << " draws";
  }
}

TEST(Synthesize, SameSeedSameSamples) {
  SoundGenerator gen;
  gen.params.waveType = 3;
  SeedRand(12345);
  const std::vector<int16_t> first = Render(gen);
  SeedRand(12345);
  EXPECT_EQ(first, Render(gen));
  SeedRand(54321);
  EXPECT_NE(first, Render(gen));
}

TEST(Synthesize, UnknownWaveTypeIsSilentWithNormalLength) {
  for (int32_t wave : {4, -1, 1000, INT32_MIN}) {
    SoundGenerator gen;
    gen.params.waveType = wave;
    const std::vector<int16_t> samples = Render(gen);
    ASSERT_EQ(samples.size(), 25003u);
    for (int16_t v : samples) ASSERT_EQ(v, 0);
  }
}

TEST(Synthesize, LowPassBypassOnlyAtExactlyOne) {
  SoundGenerator gen;
  const std::vector<int16_t> bypassed = Render(gen);
  gen.params.lpCutoff = 0.999f;
  const std::vector<int16_t> filtered = Render(gen);
  ASSERT_EQ(bypassed.size(), filtered.size());
  EXPECT_NE(bypassed, filtered);
  // The running filter starts from rest: its first output lags the input.
  EXPECT_LT(std::abs(filtered[0]), std::abs(bypassed[0]));
}

TEST(Synthesize, PhaserOffsetSignAndSweep) {
  SoundGenerator gen;
  gen.params.phaserOffset = 0.5f;
  const std::vector<int16_t> plus = Render(gen);
  EXPECT_EQ(gen.state.phaserDelay, 255);
  gen.params.phaserOffset = -0.5f;
  const std::vector<int16_t> minus = Render(gen);
  EXPECT_EQ(gen.state.phaserDelay, 255);
  EXPECT_EQ(plus, minus) << "same delay without a sweep";
  gen.params.phaserOffset = 0.0f;
  EXPECT_NE(plus, Render(gen)) << "a delay of 255 differs from doubling";

  // A sweep of 0.5 moves the position by 0.25 per sample (exact in floats).
  gen.params.phaserSweep = 0.5f;
  gen.params.phaserOffset = 0.5f;
  const std::vector<int16_t> upward = Render(gen, 1000);
  EXPECT_EQ(gen.state.phaserDelay, 255 + 250);
  gen.params.phaserOffset = -0.5f;
  const std::vector<int16_t> fromBelow = Render(gen, 1000);
  EXPECT_EQ(gen.state.phaserDelay, 5);
  EXPECT_NE(upward, fromBelow);
  gen.params.phaserSweep = 2.0f;  // 4 per sample: held at 1023
  Render(gen, 1000);
  EXPECT_EQ(gen.state.phaserDelay, 1023);
}

TEST(Synthesize, PitchJumpSwitches) {
  SoundGenerator gen;
  gen.params.changeAmount = 0.5f;
  gen.params.changeSpeed = 1.0f;  // no jump whatever the amount
  const std::vector<int16_t> off = Render(gen);
  gen.ResetParameters();
  EXPECT_EQ(off, Render(gen));
  gen.params.changeSpeed = 0.5f;  // amount 0: jump by 1.0
  EXPECT_EQ(off, Render(gen));
  gen.params.changeAmount = 0.5f;
  EXPECT_NE(off, Render(gen));
}

TEST(Synthesize, OutOfRangeConversionsActLikeThe32BitTarget) {
  SoundGenerator gen;
  const std::vector<int16_t> doubled = Render(gen);

  // A delay beyond 32 bits becomes INT32_MIN, which is not clamped and reads
  // the ring like delay 0: the signal is doubled as with offset 0.
  gen.params.phaserOffset = 1e10f;
  EXPECT_EQ(Render(gen), doubled);
  EXPECT_EQ(gen.state.phaserDelay, INT32_MIN);

  // A stage whose length is INT32_MIN lasts one sample.
  gen.ResetParameters();
  gen.params.sustainTime = 1e6f;
  EXPECT_EQ(Render(gen).size(), 1u + 16001u + 1u);

  // A period that is not a number becomes INT32_MIN, then the minimum 8.
  gen.ResetParameters();
  gen.params.startFreq = std::numeric_limits<float>::quiet_NaN();
  Render(gen, 10);
  EXPECT_EQ(gen.state.period, 8);
}

TEST(Synthesize, HugeAndNotANumberParametersStayBounded) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float v : {nan, inf, -inf, 3e38f, -3e38f, 1e-40f}) {
    SoundGenerator gen;
    gen.params.startFreq = v;
    gen.params.slide = v;
    gen.params.vibDepth = v;
    gen.params.vibSpeed = v;
    gen.params.phaserOffset = v;
    gen.params.phaserSweep = v;
    gen.params.lpCutoff = v;
    gen.params.hpCutoff = v;
    gen.params.repeatSpeed = v;
    const std::vector<int16_t> samples = Render(gen, 30000);
    EXPECT_LE(samples.size(), 30000u);
    for (int16_t s : samples) {
      ASSERT_LE(s, 32000);
      ASSERT_GE(s, -32000);
    }
    EXPECT_GE(gen.state.period, 8);
  }
}

}  // namespace
}  // namespace zu
