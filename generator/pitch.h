#pragma once
// The pitch of the sound: the oscillator period from the start frequency,
// with slide, arpeggio jump, vibrato and periodic repeat.

#include <algorithm>
#include <cstdint>

#include "generator/sound_generator.h"
#include "generator/synth_math.h"
#include "generator/vibrato.h"

namespace zu {
namespace synth {

class Pitch {
 public:
  /// A complete start: pitch path, vibrato and repeat from the parameters.
  void Init(const GeneratorParams& p);
  /// Restarts the pitch path only (period, slide, arpeggio), as a repeat does.
  void Restart() {
    periodExact_ = start_.periodExact;
    periodLimit_ = start_.periodLimit;
    slideFactor_ = start_.slideFactor;
    slideDelta_ = start_.slideDelta;
    arpFactor_ = start_.arpFactor;
    arpTime_ = 0;
    arpLimit_ = start_.arpLimit;
    period_ = start_.period;
    SetSlideSteady();
  }
  /// Takes the pitch fields of the state (after StartSynthesis).
  void Load(const GeneratorParams& p, const SynthState& s);
  /// Writes the pitch fields back into the state.
  void Store(SynthState& s) const;

  /// Counts one sample towards the next repeat; true when the pitch path
  /// (and with it the duty) restarts at this sample.
  ZU_STAGE_STEP bool RepeatDue() {
    // A sample known to be free of repeat and arpeggio events only counts
    // down; the counters take the samples it skipped when the next one comes.
    if (--quiet_ >= 0) return false;
    CatchUp();
    repeatTime_ = Increment(repeatTime_);
    if (repeatLimit_ == 0 || repeatTime_ < repeatLimit_) return false;
    repeatTime_ = 0;
    return true;
  }

  /// One sample's arpeggio, slide and vibrato. Returns the period in
  /// subsamples, 8 or more.
  ZU_STAGE_STEP int32_t Process() {
    if (quiet_ < 0) Arpeggio();
    if (!steady_) {
      slideFactor_ = slideFactor_ + slideDelta_;
      periodExact_ = periodExact_ * slideFactor_;
      if (periodExact_ > periodLimit_) {
        periodExact_ = periodLimit_;
        ended_ = ended_ || endAtLimit_;
      }
      // Without slide the period now stays as it is (x 1 + 0 changes no
      // bits, and it is within the limit) until the arpeggio jump.
      steady_ = slideSteady_;
    }
    int32_t period =
        vibrato_.Active() ? vibrato_.Period(periodExact_) : TruncToInt32(D(Round(periodExact_)));
    if (period < 8) period = 8;
    period_ = period;
    return period;
  }

  /// True once the pitch has reached the lowest frequency of a sound that
  /// ends there (the sample that reached it is still played).
  bool Ended() const { return ended_; }

 private:
  /// The arpeggio's count and jump, on a sample that RepeatDue did not pass
  /// as quiet; then works out how many samples from here are.
  void Arpeggio() {
    arpTime_ = Increment(arpTime_);
    if (arpLimit_ != 0 && arpTime_ >= arpLimit_) {
      arpLimit_ = 0;
      periodExact_ = periodExact_ * arpFactor_;
      steady_ = false;
    }
    quiet_ = synced_ = QuietSamples();
  }
  /// The samples from the next on in which neither the repeat nor the
  /// arpeggio can fall due (counted with the counters as they are now).
  int32_t QuietSamples() const {
    int64_t quiet = int64_t{1} << 24;
    if (repeatLimit_ != 0)
      quiet = std::min<int64_t>(quiet, int64_t{repeatLimit_} - repeatTime_ - 1);
    if (arpLimit_ != 0) quiet = std::min<int64_t>(quiet, int64_t{arpLimit_} - arpTime_ - 1);
    return quiet < 0 ? 0 : static_cast<int32_t>(quiet);
  }
  /// Samples passed as quiet since the counters were last brought up to date.
  int32_t Skipped() const { return quiet_ >= 0 ? synced_ - quiet_ : synced_; }
  /// Adds the skipped samples to both counters (wrapping as Increment does).
  void CatchUp() {
    repeatTime_ = AddWrapping(repeatTime_, Skipped());
    arpTime_ = AddWrapping(arpTime_, Skipped());
    synced_ = 0;
  }
  static int32_t AddWrapping(int32_t v, int32_t n) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) + static_cast<uint32_t>(n));
  }

  /// A slide factor of exactly 1 with no change leaves the period alone
  /// (once it has been checked against the limit).
  void SetSlideSteady() {
    slideSteady_ = slideFactor_ == 1.0 && slideDelta_ == 0.0;
    steady_ = false;
  }

  /// The pitch path at its start, from the parameters (the same at every
  /// repeat, so worked out once).
  struct Start {
    double periodExact = 0.0;
    double periodLimit = 0.0;
    double slideFactor = 1.0;
    double slideDelta = 0.0;
    double arpFactor = 1.0;
    int32_t arpLimit = 0;
    int32_t period = 8;
  };
  static Start StartOf(const GeneratorParams& p);

  Start start_;
  double periodExact_ = 0.0;  ///< period in subsamples before vibrato
  double periodLimit_ = 0.0;  ///< largest periodExact_ (lowest pitch)
  double slideFactor_ = 1.0;  ///< applied to periodExact_ once per sample
  double slideDelta_ = 0.0;   ///< added to slideFactor_ once per sample
  double arpFactor_ = 1.0;    ///< applied to periodExact_ at the arpeggio jump
  int32_t arpTime_ = 0;       ///< samples since the arpeggio was armed
  int32_t arpLimit_ = 0;      ///< arpeggio delay; 0: spent or switched off
  int32_t repeatTime_ = 0;    ///< samples since the start or the last repeat
  int32_t repeatLimit_ = 0;   ///< repeat interval; 0: no repeat
  int32_t quiet_ = 0;         ///< samples from here on free of repeat and arpeggio events
  int32_t synced_ = 0;        ///< quiet_ when the counters were last brought up to date
  int32_t period_ = 8;        ///< period of the last sample
  Vibrato vibrato_;           ///< scales the period when its depth is above 0
  bool slideSteady_ = false;  ///< no slide: factor 1, change 0
  bool steady_ = false;       ///< the period stays as it is until the arpeggio jump
  bool endAtLimit_ = false;   ///< the sound ends at the lowest pitch
  bool ended_ = false;
};

inline void Pitch::Load(const GeneratorParams& p, const SynthState& s) {
  start_ = StartOf(p);
  periodExact_ = s.periodExact;
  periodLimit_ = s.periodLimit;
  slideFactor_ = s.slideFactor;
  slideDelta_ = s.slideDelta;
  arpFactor_ = s.arpFactor;
  arpTime_ = s.arpTime;
  arpLimit_ = s.arpLimit;
  repeatTime_ = s.repeatTime;
  repeatLimit_ = s.repeatLimit;
  quiet_ = 0;
  synced_ = 0;
  period_ = s.period;
  SetSlideSteady();
  vibrato_.Load(s);
  endAtLimit_ = p.minFreq > 0.0f;
  ended_ = false;
}

inline void Pitch::Store(SynthState& s) const {
  s.periodExact = periodExact_;
  s.periodLimit = periodLimit_;
  s.slideFactor = slideFactor_;
  s.slideDelta = slideDelta_;
  s.arpFactor = arpFactor_;
  s.arpTime = AddWrapping(arpTime_, Skipped());
  s.arpLimit = arpLimit_;
  s.repeatTime = AddWrapping(repeatTime_, Skipped());
  s.repeatLimit = repeatLimit_;
  s.period = period_;
  vibrato_.Store(s);
}

}  // namespace synth
}  // namespace zu
