#pragma once
// The high-pass filter after the low-pass, run once per subsample, with a
// cutoff that sweeps once per sample.

#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class HighPass {
 public:
  /// Coefficient and sweep from the parameters; output at rest.
  void Init(const GeneratorParams& p);
  void Load(const SynthState& s);
  void Store(SynthState& s) const;

  /// Once per sample: the cutoff sweep. The coefficient then lies in
  /// 0.00001 to 0.1 (unless the sweep factor is 0, which leaves it alone).
  void Sweep() { SweepWithin(coef_, coefFactor_, 0.00001f, 0.1f, settled_); }

  /// One subsample: in is the low-pass output.
  float Process(float in) {
    output_ = Round(D(output_) + (D(in) - D(input_)));
    output_ = Round(D(output_) - D(output_) * D(coef_));
    input_ = in;
    return output_;
  }

 private:
  float output_ = 0.0f;
  float input_ = 0.0f;       ///< the previous subsample's input
  float coef_ = 0.0f;        ///< 0.00001 to 0.1 once swept
  float coefFactor_ = 1.0f;  ///< applied to coef_ once per sample; 0: no sweep
  bool settled_ = false;
};

inline void HighPass::Load(const SynthState& s) {
  output_ = s.hpOutput;
  input_ = s.lpOutput;  // the low-pass output it saw last
  coef_ = s.hpCoef;
  coefFactor_ = s.hpCoefFactor;
  settled_ = coefFactor_ == 0.0f;
}

inline void HighPass::Store(SynthState& s) const {
  s.hpOutput = output_;
  s.hpCoef = coef_;
  s.hpCoefFactor = coefFactor_;
}

}  // namespace synth
}  // namespace zu
