#include "generator/low_pass.h"

namespace zu {
namespace synth {

void LowPass::Init(const GeneratorParams& p) {
  output_ = 0.0f;
  velocity_ = 0.0f;
  const double cutoff = p.lpCutoff;
  coef_ = Round(D(Round(cutoff * cutoff * cutoff)) * D(0.1f));
  coefFactor_ = Round(1.0 + D(p.lpCutoffSweep) * D(0.0001f));
  const double resonance = p.lpResonance;
  damping_ = Round(5.0 / (1.0 + D(Round(resonance * resonance)) * 20.0) * (D(0.01f) + D(coef_)));
  if (damping_ > 0.8f) damping_ = 0.8f;
  bypass_ = p.lpCutoff == 1.0f;
  coefSettled_ = false;
}

}  // namespace synth
}  // namespace zu
