#pragma once
// The output stage: sums a sample's subsamples at the envelope's gain, applies
// the fixed and the sound volume, clamps to -1 to 1 and stores signed 16-bit
// little-endian samples.

#include <cstdint>

#include "generator/sound_generator.h"
#include "generator/synth_math.h"

namespace zu {
namespace synth {

class Output {
 public:
  /// Gains from the parameters; samples go to out (may be null: nothing is
  /// stored and nothing counted).
  void Init(const GeneratorParams& p, int16_t* out) {
    out_ = reinterpret_cast<unsigned char*>(out);
    written_ = 0;
    sum_ = 0.0f;
    masterVolume_ = D(p.masterVolume);
    volumeTwice_ = D(p.soundVolume) + D(p.soundVolume);
  }
  /// Writes the count of stored samples.
  void Store(SynthState& s) const { s.samplesWritten = written_; }

  /// One subsample at the envelope's gain (volume, a float widened).
  void Add(float s, double volume) { sum_ = Round(D(sum_) + D(s) * volume); }

  /// Ends the sample: gain, clamp and store.
  void Process() {
    float y = Round(D(sum_) * 0.125 * masterVolume_);
    y = Round(D(y) * volumeTwice_);
    sum_ = 0.0f;
    if (out_ == nullptr) return;
    if (y > 1.0f) y = 1.0f;
    if (y < -1.0f) y = -1.0f;
    // A NaN passes both clamps and is stored as 0.
    const int32_t sample = y == y ? TruncToInt32(D(y) * 32000.0) : 0;
    // Byte by byte: the same bytes on every host, no aliasing concerns.
    const uint32_t u = static_cast<uint32_t>(sample);
    out_[0] = static_cast<unsigned char>(u & 0xFFu);
    out_[1] = static_cast<unsigned char>((u >> 8) & 0xFFu);
    out_ += 2;
    written_ += 1;
  }

 private:
  unsigned char* out_ = nullptr;
  int32_t written_ = 0;
  float sum_ = 0.0f;
  double masterVolume_ = 0.0;
  double volumeTwice_ = 0.0;  ///< soundVolume + soundVolume
};

}  // namespace synth
}  // namespace zu
