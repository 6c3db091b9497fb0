#pragma once
// The square wave's duty: the fraction of the period spent high, swept once
// per sample and kept within 0 to 0.5.

#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class Duty {
 public:
  /// Duty and sweep from the parameters.
  void Init(const GeneratorParams& p);
  void Load(const GeneratorParams& p, const SynthState& s);
  /// Back to the start's duty and sweep, as a repeat does.
  void Restart() {
    duty_ = startDuty_;
    step_ = startStep_;
    settled_ = false;
  }
  void Store(SynthState& s) const;

  /// One sample's sweep; returns the duty, 0 to 0.5 (or not a number).
  float Process() {
    if (!settled_) {
      float d = Round(D(duty_) + D(step_));
      if (d < 0.0f) d = 0.0f;
      if (d > 0.5f) d = 0.5f;
      settled_ = SameBits(d, duty_);
      duty_ = d;
    }
    return duty_;
  }

 private:
  /// The start's duty and sweep from the parameters (static, so that the
  /// stage's state can stay in registers).
  static float StartDuty(const GeneratorParams& p);
  static float StartStep(const GeneratorParams& p);

  float startDuty_ = 0.5f;
  float startStep_ = 0.0f;
  float duty_ = 0.5f;  ///< fraction of the period spent high
  float step_ = 0.0f;  ///< added to duty_ once per sample
  bool settled_ = false;
};

inline void Duty::Load(const GeneratorParams& p, const SynthState& s) {
  startDuty_ = StartDuty(p);
  startStep_ = StartStep(p);
  duty_ = s.duty;
  step_ = s.dutyStep;
  settled_ = false;
}

inline void Duty::Store(SynthState& s) const {
  s.duty = duty_;
  s.dutyStep = step_;
}

}  // namespace synth
}  // namespace zu
