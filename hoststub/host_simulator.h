#pragma once
// An in-memory model of the host's sample bank and its 32 channels, for tests
// and for the stand-in host runtime library. It keeps no global state: every
// instance is a bank and a mixer of its own.
//
// Model:
// - Handles are given out from 1 up, the lowest free one first; PlaceSample
//   puts a sample at any handle (also above 1023). Names compare byte for byte.
// - Sample data are copied on add and replace. The information record has
//   startOffset = kInfoStart and endOffset = kInfoStart + data length.
// - A sample's duration and own frequency come from its RIFF/WAVE header
//   (the "fmt " and "data" chunks). Data that is not a RIFF/WAVE image lasts
//   kUnknownDurationMs (0 when empty) at kUnknownFrequency.
// - A channel started by PlaySampleOnChannel (channels 1 to 32 only; channel 0
//   or any other number does nothing) advances with AdvanceFrame, one
//   millisecond per millisecond whatever its frequency, and stops at its
//   duration: the position then stays equal to the duration until it is set
//   again. Stop clears the channel (position and duration 0). A channel is busy
//   while it holds a sample that has not reached its end (paused included), or
//   while a test marks it busy.
// - Every HostSound call is appended to a call log; control methods are not.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sound/host_sound.h"

namespace zu {

/// One logged host call: the operation's name, its integer arguments in call
/// order (pointers to data are left out, sizes kept) and the name argument.
struct HostCall {
  std::string op;
  std::vector<int64_t> args;
  std::string text;
};

class HostSimulator : public HostSound {
 public:
  static constexpr uint32_t kInfoStart = 40;
  static constexpr uint32_t kUnknownDurationMs = 1000;
  static constexpr int32_t kUnknownFrequency = 22050;

  struct ChannelState {
    uint32_t sample = 0;
    bool active = false;  ///< started and not stopped (an ended sample stays active)
    bool paused = false;
    bool forcedBusy = false;
    uint32_t position = 0;
    uint32_t duration = 0;
    int32_t volume = 100;
    int32_t pan = 0;
    int32_t frequency = 0;
  };

  // --- Control and inspection (not logged) -----------------------------------
  /// Puts a sample at a chosen handle (replacing whatever was there).
  void PlaceSample(uint32_t handle, const std::string& name, const std::vector<uint8_t>& data);
  bool HasSample(uint32_t handle) const;
  /// The stored copy of a sample's data; null when there is no such sample.
  const std::vector<uint8_t>* SampleBytes(uint32_t handle) const;
  std::string SampleNameOf(uint32_t handle) const;
  size_t SampleCount() const { return samples_.size(); }
  int32_t SampleVolume(uint32_t handle) const;
  int32_t SamplePan(uint32_t handle) const;

  /// Marks a channel (1 to 32) busy whatever it plays.
  void SetChannelBusy(int32_t channel, bool busy);
  /// Advances every playing, unpaused channel by `ms`, stopping at its end.
  void AdvanceFrame(uint32_t ms);
  /// State of channel 1 to 32 (a default state for other numbers).
  ChannelState Channel(int32_t channel) const;

  const std::vector<HostCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  size_t CountCalls(const std::string& op) const;

  /// Duration in ms and own frequency of sample data, by the rules above.
  static uint32_t DurationOf(const std::vector<uint8_t>& data);
  static int32_t FrequencyOf(const std::vector<uint8_t>& data);

  // --- HostSound: every operation of sound/host_sound_ops.inc -----------------
#define ZU_HOST_SOUND_OP(ordinal, Name, Result, params, args) Result Name params override;
#include "sound/host_sound_ops.inc"
#undef ZU_HOST_SOUND_OP

 private:
  struct Sample {
    std::string name;
    std::vector<uint8_t> data;
    int32_t ownFrequency = 0;
    int32_t frequency = 0;
    int32_t volume = 100;
    int32_t pan = 0;
  };

  void Log(const char* op, std::vector<int64_t> args, const char* text = nullptr);
  Sample* Find(uint32_t handle);
  ChannelState* ChannelAt(int32_t channel);
  static bool Busy(const ChannelState& channel);
  static bool Ended(const ChannelState& channel);
  static void Seek(ChannelState& channel, int32_t ms);
  void Store(Sample& sample, const char* name, const void* data, uint32_t size);
  void ClearChannelsOf(uint32_t handle);

  std::map<uint32_t, Sample> samples_;
  std::array<ChannelState, 33> channels_{};  ///< index 1 to 32
  std::vector<HostCall> calls_;
};

}  // namespace zu
