#include "generator/high_pass.h"

namespace zu {
namespace synth {

void HighPass::Init(const GeneratorParams& p) {
  output_ = 0.0f;
  input_ = 0.0f;
  const double cutoff = p.hpCutoff;
  coef_ = Round(D(Round(cutoff * cutoff)) * D(0.1f));
  coefFactor_ = Round(1.0 + D(p.hpCutoffSweep) * D(0.0003f));
  settled_ = coefFactor_ == 0.0f;
}

}  // namespace synth
}  // namespace zu
