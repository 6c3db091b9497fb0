#include "generator/oscillator.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "generator/random_source.h"
#include "generator/sine.h"

namespace zu {
namespace {

using synth::kSubsamples;

// Phase after the next subsample, as the synthesizer defines it.
int32_t NextPhase(int32_t phase, int32_t period) {
  ++phase;
  return phase >= period ? phase % period : phase;
}

// Pairs, lanes left to Finish and all: every subsample is the sine of its
// rounded argument, over periods whose phases hit many rounding boundaries.
TEST(SineOscillator, SubsamplesAreTheRoundedSine) {
  synth::SineOscillator osc;
  SynthState state{};
  osc.Load(state);
  int32_t phase = 0;
  int differences = 0;
  for (int sample = 0; sample < 20000; ++sample) {
    // Now and then a period beyond 2^24, whose quotients take the double route.
    const int32_t period = sample % 97 == 0 ? (1 << 24) + sample : 8 + (sample * 7919) % 5000;
    float wave[kSubsamples];
    osc.Prepare(period, 0.0f, wave);
    for (int k = 0; k < kSubsamples; k += 2) osc.ProcessPair(k, wave + k);
    osc.Finish(wave);
    for (int k = 0; k < kSubsamples; ++k) {
      phase = NextPhase(phase, period);
      const float f = static_cast<float>(static_cast<double>(phase) / period);
      const float expected = SineF(static_cast<float>(2.0 * f * 3.1415927410125732));
      if (wave[k] != expected && ++differences < 5) {
        ADD_FAILURE() << "period " << period << " phase " << phase;
      }
    }
  }
  EXPECT_EQ(differences, 0);
}

#if defined(__SSE2__)
// The arguments of a block of samples, their sines taken four at a time
// afterwards, give the waves of the sample-by-sample route, bit for bit.
TEST(SineOscillator, BlockOfArgumentsGivesTheSameWaves) {
  synth::SineOscillator bySample;
  synth::SineOscillator byBlock;
  SynthState state{};
  bySample.Load(state);
  byBlock.Load(state);
  constexpr int kBlock = 64;
  int differences = 0;
  for (int block = 0; block < 300; ++block) {
    float expected[kBlock][kSubsamples];
    float wave[kBlock][kSubsamples];
    for (int j = 0; j < kBlock; ++j) {
      const int32_t sample = block * kBlock + j;
      const int32_t period = sample % 97 == 0 ? (1 << 24) + sample : 8 + (sample * 7919) % 5000;
      bySample.Prepare(period, 0.0f, expected[j]);
      for (int k = 0; k < kSubsamples; k += 2) bySample.ProcessPair(k, expected[j] + k);
      bySample.Finish(expected[j]);
      byBlock.PrepareArguments(period, wave[j]);
    }
    synth::SineOscillator::SinesInPlace(wave[0], kBlock * kSubsamples);
    for (int j = 0; j < kBlock; ++j) {
      for (int k = 0; k < kSubsamples; ++k) {
        if (sine_internal::FloatBits(wave[j][k]) != sine_internal::FloatBits(expected[j][k]) &&
            ++differences < 5) {
          ADD_FAILURE() << "block " << block << " sample " << j << " subsample " << k;
        }
      }
    }
  }
  EXPECT_EQ(differences, 0);
}
#endif

// The table index (phase x 32) / period, taken from a double quotient, at
// the phases next to each 1/32 of the longest and of odd periods.
TEST(NoiseOscillator, TableIndexIsTheIntegerQuotient) {
  SeedRand(5);
  synth::NoiseOscillator osc;
  osc.Init(GeneratorParams{});
  SynthState state{};
  osc.Store(state);
  for (const int32_t period : {40, 1000003, 2147483520}) {
    for (int32_t part = 1; part <= 32; ++part) {
      // Eight subsamples around part/32 of the period, without a wrap (which
      // would refill the table).
      int64_t start = static_cast<int64_t>(period) * part / 32 - 4;
      if (start > period - 9) start = period - 9;
      if (start < 0) start = 0;
      state.phase = static_cast<int32_t>(start);
      osc.Load(state);
      float wave[kSubsamples];
      osc.Prepare(period, 0.0f, wave);
      for (int k = 0; k < kSubsamples; k += 2) osc.ProcessPair(k, wave + k);
      for (int k = 0; k < kSubsamples; ++k) {
        const int64_t phase = start + k + 1;
        EXPECT_EQ(wave[k], state.noiseTable[phase * 32 / period]) << period << " " << phase;
      }
    }
  }
}

}  // namespace
}  // namespace zu
