#include "generator/vibrato.h"

namespace zu {
namespace synth {

void Vibrato::Init(const GeneratorParams& p) {
  const double speed = p.vibSpeed;
  phase_ = 0.0f;
  step_ = Round(D(Round(speed * speed)) * D(0.01f));
  amplitude_ = Round(D(p.vibDepth) * 0.5);
  margin_ = MarginFor(amplitude_);
  LookAhead();
}

#if defined(__SSE2__)
alignas(16) const double Vibrato::kPairConstants[kPairConstantCount][2] = {
    {sine_internal::kThirtyTwoOverPi, sine_internal::kThirtyTwoOverPi},
    {0.5, 0.5},
    {kPiOver32, kPiOver32},
    {-1.0 / 6.0, -1.0 / 6.0},
    {1.0, 1.0},
    {-0.5, -0.5},
    {1.0 / 24.0, 1.0 / 24.0},
};
#endif

int32_t Vibrato::ExactPeriod(float phase, float amplitude, double periodExact) {
  const float p = Round(periodExact * (1.0 + D(SineF(phase)) * D(amplitude)));
  return TruncToInt32(D(p));
}

}  // namespace synth
}  // namespace zu
