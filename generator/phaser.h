#pragma once
// The phaser: adds a copy of the filtered signal delayed by 0 to 1023
// subsamples, the delay sweeping once per sample.

#include <cstdint>

#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class Phaser {
 public:
  static constexpr uint32_t kRingSize = 1024;

  /// Delay and sweep from the parameters; the ring silent.
  void Init(const GeneratorParams& p);
  void Load(const SynthState& s);
  void Store(SynthState& s) const;

  /// Once per sample: moves the delay by the sweep.
  void Sweep() {
    if (settled_) return;
    position_ = Round(D(position_) + D(step_));
    // With a step of zero the position keeps its bits after this first
    // step (which may turn -0 into +0); any other step moves it on.
    settled_ = step_ == 0.0f;
    int32_t delay = AbsInt(TruncToInt32(D(position_)));
    if (delay > 1023) delay = 1023;
    delay_ = static_cast<uint32_t>(delay);
  }

  /// One subsample: the input plus its delayed copy (a delay of 0 reads the
  /// entry just written, doubling the signal).
  float Process(float in) {
    ring_[index_] = in;
    const float out = Round(D(in) + D(ring_[(index_ - delay_) & (kRingSize - 1)]));
    index_ = (index_ + 1u) & (kRingSize - 1);
    return out;
  }

 private:
  float position_ = 0.0f;  ///< delay in subsamples as a signed real number
  float step_ = 0.0f;      ///< added to position_ once per sample
  uint32_t delay_ = 0;     ///< delay in use, 0 to 1023 once swept
  uint32_t index_ = 0;     ///< next write position in ring_
  bool settled_ = false;
  float ring_[kRingSize] = {};  ///< the last 1024 subsamples
};

inline void Phaser::Load(const SynthState& s) {
  position_ = s.phaserPosition;
  step_ = s.phaserStep;
  delay_ = static_cast<uint32_t>(s.phaserDelay);
  index_ = static_cast<uint32_t>(s.phaserIndex) & (kRingSize - 1);
  settled_ = false;
  for (uint32_t i = 0; i < kRingSize; ++i) ring_[i] = s.phaserBuffer[i];
}

inline void Phaser::Store(SynthState& s) const {
  s.phaserPosition = position_;
  s.phaserStep = step_;
  s.phaserDelay = static_cast<int32_t>(delay_);
  s.phaserIndex = static_cast<int32_t>(index_);
  for (uint32_t i = 0; i < kRingSize; ++i) s.phaserBuffer[i] = ring_[i];
}

}  // namespace synth
}  // namespace zu
