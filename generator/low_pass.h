#pragma once
// The resonant low-pass filter, run once per subsample, with a cutoff that
// sweeps every subsample. A cutoff parameter of exactly 1.0 bypasses it.

#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class LowPass {
 public:
  /// Coefficient, sweep and damping from the parameters; output at rest.
  void Init(const GeneratorParams& p);
  void Load(const GeneratorParams& p, const SynthState& s);
  void Store(SynthState& s) const;

  /// One subsample in (any float), the filter output out.
  float Process(float in) { return bypass_ ? Bypass(in) : Filter(in); }
  /// Process for a filter known to be running (not bypassed).
  float Filter(float in) {
    SweepCoef();
    const float v = Round(D(velocity_) + (D(in) - D(output_)) * D(coef_));
    velocity_ = Round(D(v) - D(v) * D(damping_));
    output_ = Round(D(output_) + D(velocity_));
    return output_;
  }
  /// Process for a filter known to be bypassed: the input passes unchanged
  /// (but for a zero's sign), while the coefficient still sweeps.
  float Bypass(float in) {
    SweepCoef();
    velocity_ = 0.0f;
    output_ = Round(D(in) + 0.0);
    return output_;
  }
  /// True when the cutoff parameter is exactly 1.0.
  bool Bypassed() const { return bypass_; }

 private:
  /// The per-subsample cutoff sweep, kept within 0 to 0.1.
  void SweepCoef() { SweepWithin(coef_, coefFactor_, 0.0f, 0.1f, coefSettled_); }

  float output_ = 0.0f;
  float velocity_ = 0.0f;    ///< rate of change of the output
  float coef_ = 0.0f;        ///< 0 to 0.1
  float coefFactor_ = 1.0f;  ///< applied to coef_ once per subsample
  float damping_ = 0.0f;     ///< at most 0.8
  bool bypass_ = true;
  bool coefSettled_ = false;
};

inline void LowPass::Load(const GeneratorParams& p, const SynthState& s) {
  output_ = s.lpOutput;
  velocity_ = s.lpVelocity;
  coef_ = s.lpCoef;
  coefFactor_ = s.lpCoefFactor;
  damping_ = s.lpDamping;
  bypass_ = p.lpCutoff == 1.0f;
  coefSettled_ = false;
}

inline void LowPass::Store(SynthState& s) const {
  s.lpOutput = output_;
  s.lpVelocity = velocity_;
  s.lpCoef = coef_;
  s.lpCoefFactor = coefFactor_;
  s.lpDamping = damping_;
}

}  // namespace synth
}  // namespace zu
