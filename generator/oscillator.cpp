#include "generator/oscillator.h"

namespace zu {
namespace synth {

int32_t SquareOscillator::HighThreshold(float duty, int32_t period) {
  if (period > (1 << 20)) return -1;
  if (!(duty > 0.0f)) return 0;  // duty 0 (or not a number): never high
  // Below start, phase / period < duty - 1/period, which no rounding to
  // float can lift to duty for these periods.
  int32_t p = TruncToInt32(D(duty) * static_cast<double>(period)) - 2;
  if (p < 0) p = 0;
  for (int step = 0; step < 8; ++step) {
    if (!(Round(static_cast<double>(p) / static_cast<double>(period)) < duty)) return p;
    ++p;
  }
  return -1;
}

void NoiseOscillator::RefillTable(float* table) {
  uint32_t state = RandState();
  for (int i = 0; i < 32; ++i) {
    state = state * 214013u + 2531011u;
    const int k = static_cast<int>((state >> 16) & 0x7FFFu) % 10001;
    const float draw = Round(static_cast<double>(k) / 10000.0 * 2.0);
    table[i] = Round(D(draw) - 1.0);
  }
  SeedRand(state);
}

}  // namespace synth
}  // namespace zu
