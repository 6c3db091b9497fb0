#include "generator/vibrato.h"

namespace zu {
namespace synth {

void Vibrato::Init(const GeneratorParams& p) {
  const double speed = p.vibSpeed;
  phase_ = 0.0f;
  step_ = Round(D(Round(speed * speed)) * D(0.01f));
  amplitude_ = Round(D(p.vibDepth) * 0.5);
  margin_ = (1.0 + AbsDouble(D(amplitude_))) * 0x1p-21;
  LookAhead();
}

int32_t Vibrato::ExactPeriod(float phase, float amplitude, double periodExact) {
  const float p = Round(periodExact * (1.0 + D(SineF(phase)) * D(amplitude)));
  return TruncToInt32(D(p));
}

}  // namespace synth
}  // namespace zu
