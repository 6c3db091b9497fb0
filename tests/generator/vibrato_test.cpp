#include "generator/vibrato.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

#include "generator/float_truncate.h"
#include "generator/sine.h"

namespace zu {
namespace {

// The period as the formula defines it, through the correctly rounded sine.
int32_t FormulaPeriod(float phase, float amplitude, double periodExact) {
  const double s = SineF(phase);
  const float p = static_cast<float>(periodExact * (1.0 + s * static_cast<double>(amplitude)));
  return TruncToInt32(static_cast<double>(p));
}

synth::Vibrato At(float phase, float step, float amplitude) {
  SynthState state{};
  state.vibPhase = phase;
  state.vibStep = step;
  state.vibAmplitude = amplitude;
  synth::Vibrato vibrato;
  vibrato.Load(state);
  return vibrato;
}

// Periods placed within a few float ulps either side of a whole number (where
// the short route must hand over to the exact sine), ordinary periods, and
// phases past the short route's range, with the phase advanced as a float sum.
TEST(Vibrato, PeriodIsTheFormulasBitForBit) {
  std::mt19937 rng(12345);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  int mismatches = 0;
  for (int i = 0; i < 400000; ++i) {
    const float phase = i % 1000 == 0 ? 0x1p20f + unit(rng) * 1e6f : unit(rng) * 3000.0f;
    const float step = unit(rng) * 0.01f;
    const float amplitude = i % 7 == 0 ? 1.0f : unit(rng) * 0.5f;
    const float next = phase + step;
    const double factor = 1.0 + static_cast<double>(SineF(next)) * amplitude;
    double periodExact = 8.0 + unit(rng) * 5000.0;
    if (i % 2 == 0) {
      // Aim the scaled period at a whole number, give or take a few ulps.
      const float target = static_cast<float>(static_cast<int>(periodExact * factor));
      const int ulps = static_cast<int>(rng() % 9) - 4;
      periodExact = static_cast<double>(target) / factor + ulps * 0x1p-22 * target / factor;
    }
    synth::Vibrato vibrato = At(phase, step, amplitude);
    const int32_t period = vibrato.Period(periodExact);
    if (period != FormulaPeriod(next, amplitude, periodExact) && ++mismatches < 5) {
      ADD_FAILURE() << "phase " << phase << " step " << step << " amplitude " << amplitude
                    << " period " << periodExact;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(Vibrato, OutOfRangeAndNotANumberGiveTheIndefiniteValue) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double periodExact : {inf, -inf, nan, 3e9, -3e9, 0.0, -0.0}) {
    for (float amplitude : {0.5f, 1.0f, std::numeric_limits<float>::infinity()}) {
      synth::Vibrato vibrato = At(1.5f, 0.25f, amplitude);
      EXPECT_EQ(vibrato.Period(periodExact), FormulaPeriod(1.75f, amplitude, periodExact))
          << periodExact << " " << amplitude;
    }
  }
}

}  // namespace
}  // namespace zu
