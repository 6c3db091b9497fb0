#pragma once
// The volume envelope: attack (rising), sustain (flat, with punch at its
// start), decay (falling), then finished.

#include <cstdint>

#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class Envelope {
 public:
  /// Stage lengths from the squared times; starts before the attack.
  void Init(const GeneratorParams& p);
  void Load(const GeneratorParams& p, const SynthState& s);
  void Store(SynthState& s) const;

  /// One sample: the gain for its subsamples. Once finished, the gain of the
  /// previous sample.
  float Process() {
    time_ = Increment(time_);
    if (stage_ < 3 && time_ > length_[stage_]) {
      time_ = 0;
      stage_ += 1;
    }
    switch (stage_) {
      case 0:
        volume_ = Round(Ratio(time_, length_[0]));
        break;
      case 1:
        if (flatSustain_) {
          volume_ = 1.0f;
        } else {
          const float r = Round(1.0 - Ratio(time_, length_[1]));
          volume_ = Round(1.0 + D(r) * 2.0 * D(punch_));
        }
        break;
      case 2:
        volume_ = Round(1.0 - Ratio(time_, length_[2]));
        break;
      default:
        break;
    }
    return volume_;
  }

  /// True once the decay has run out: the sample that got there is the last.
  bool Finished() const { return stage_ == 3; }

 private:
  /// Without punch the sustain gain is 1 whatever the time (the ratio is
  /// finite whenever the stage has a length).
  void UpdateFlatSustain() { flatSustain_ = punch_ == 0.0f && length_[1] != 0; }

  int32_t stage_ = 0;  // 0 attack, 1 sustain, 2 decay, 3 finished
  int32_t time_ = 0;   // samples into the current stage
  int32_t length_[3] = {0, 0, 0};
  float volume_ = 0.0f;
  float punch_ = 0.0f;  // extra gain at the start of the sustain
  bool flatSustain_ = false;
};

inline void Envelope::Load(const GeneratorParams& p, const SynthState& s) {
  stage_ = s.envelopeStage;
  time_ = s.envelopeTime;
  for (int i = 0; i < 3; ++i) length_[i] = s.envelopeLength[i];
  volume_ = s.envelopeVolume;
  punch_ = p.sustainPunch;
  UpdateFlatSustain();
}

inline void Envelope::Store(SynthState& s) const {
  s.envelopeStage = stage_;
  s.envelopeTime = time_;
  for (int i = 0; i < 3; ++i) s.envelopeLength[i] = length_[i];
  s.envelopeVolume = volume_;
}

}  // namespace synth
}  // namespace zu
