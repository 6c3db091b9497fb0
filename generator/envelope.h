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
  ZU_STAGE_STEP float Process() {
    time_ = Increment(time_);
    if (time_ > stageEnd_) NextStage();
    // A flat sustain and the finished envelope keep the gain they started with.
    if (ramp_) volume_ = Ramp();
    return volume_;
  }

  /// True once the decay has run out: the sample that got there is the last.
  bool Finished() const { return stage_ == 3; }

 private:
  /// Without punch the sustain gain is 1 whatever the time (the ratio is
  /// finite whenever the stage has a length).
  bool FlatSustain() const { return punch_ == 0.0f && length_[1] != 0; }

  /// The gain at time_ in a stage whose gain moves.
  float Ramp() const {
    switch (stage_) {
      case 0:
        return Round(Ratio(time_, length_[0]));
      case 1: {
        const float r = Round(1.0 - Ratio(time_, length_[1]));
        return Round(1.0 + D(r) * 2.0 * D(punch_));
      }
      default:
        return Round(1.0 - Ratio(time_, length_[2]));
    }
  }

  /// Moves on to the next stage at its time 0.
  void NextStage() {
    time_ = 0;
    stage_ += 1;
    Enter();
  }

  /// Sets up the current stage: where it ends, and whether its gain moves.
  void Enter() {
    // time_ > INT32_MAX never holds: the finished envelope stays finished.
    stageEnd_ = stage_ < 3 ? length_[stage_] : INT32_MAX;
    ramp_ = stage_ == 0 || stage_ == 2 || (stage_ == 1 && !FlatSustain());
    if (stage_ == 1 && !ramp_) volume_ = 1.0f;
  }

  int32_t stage_ = 0;  ///< 0 attack, 1 sustain, 2 decay, 3 finished
  int32_t time_ = 0;   ///< samples into the current stage
  int32_t length_[3] = {0, 0, 0};
  int32_t stageEnd_ = 0;  ///< the stage ends once time_ passes this
  float volume_ = 0.0f;
  float punch_ = 0.0f;  ///< extra gain at the start of the sustain
  bool ramp_ = true;    ///< the gain moves in this stage
};

inline void Envelope::Load(const GeneratorParams& p, const SynthState& s) {
  stage_ = s.envelopeStage;
  time_ = s.envelopeTime;
  for (int i = 0; i < 3; ++i) length_[i] = s.envelopeLength[i];
  volume_ = s.envelopeVolume;
  punch_ = p.sustainPunch;
  Enter();
}

inline void Envelope::Store(SynthState& s) const {
  s.envelopeStage = stage_;
  s.envelopeTime = time_;
  for (int i = 0; i < 3; ++i) s.envelopeLength[i] = length_[i];
  s.envelopeVolume = volume_;
}

}  // namespace synth
}  // namespace zu
