#pragma once
// Everything a sound routine works with: the host's sound services, the words
// of the run header they need, the object's sound state and the way events
// leave the object.

#include <cstdint>

#include "sound/host_sound.h"
#include "sound/sound_state.h"

namespace zu {

/// Condition codes of the events the sound routines raise.
constexpr int32_t kEventSoundAdded = 0;
constexpr int32_t kEventSoundPlayed = 5;
constexpr int32_t kEventSoundLooped = 6;

/// Size of the buffers that receive names read back from the host: at most
/// kNameBufferSize - 1 bytes of name and always a terminator.
constexpr uint32_t kNameBufferSize = 128;

/// Highest sample handle the object looks at (handles 1 to 1023).
constexpr uint32_t kMaxSampleHandle = 1023;

/// Receives the object's events; the runtime pushes them to the host.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void Push(int32_t code) = 0;
};

struct SoundContext {
  HostSound& host;
  uint32_t app;         ///< application handle (run header offset 8)
  uint32_t playerWord;  ///< word at offset 48 of the record at run header offset 1268
  uint32_t frameWord;   ///< word at run header offset 16
  SoundState& state;
  EventSink& events;
};

}  // namespace zu
