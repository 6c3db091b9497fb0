#pragma once
// The object's own state for the sound bank, playback and channel monitor.
// The run data embeds SoundState verbatim, so field order and sizes are fixed.

#include <cstddef>
#include <cstdint>

namespace zu {

/// Number of host channels, numbered 1 to 32.
constexpr int32_t kChannelCount = 32;

/// What the object knows about one host channel it played on with a repeat count.
struct ChannelSlot {
  uint32_t sample;        ///< handle last started here by a play with a repeat count
  int32_t loopsLeft;      ///< restarts still to make: -1 without end, 0 idle, n > 0 n more
  uint32_t lastPosition;  ///< channel position read by the previous monitor pass
};
static_assert(sizeof(ChannelSlot) == 12, "ChannelSlot is three words");

struct SoundState {
  uint32_t newestSample;                ///< handle of the last add or replace
  int32_t playedChannel;                ///< channel of the last played/looped event
  uint32_t playedSample;                ///< sample of that event
  uint8_t monitorActive;                ///< set by the first counted play, never cleared
  ChannelSlot channels[kChannelCount];  ///< channel n in channels[n - 1]
};
static_assert(offsetof(SoundState, newestSample) == 0, "layout");
static_assert(offsetof(SoundState, playedChannel) == 4, "layout");
static_assert(offsetof(SoundState, playedSample) == 8, "layout");
static_assert(offsetof(SoundState, monitorActive) == 12, "layout");
static_assert(offsetof(SoundState, channels) == 16, "layout");
static_assert(sizeof(SoundState) == 16 + kChannelCount * 12, "layout");

}  // namespace zu
