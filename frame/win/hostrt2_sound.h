#pragma once
// The host sound services bound to the host runtime library's imports, and
// the per-call context the sound routines work in.

#include "frame/win/run_data.h"
#include "sound/sound_context.h"

namespace zu {

/// The HostSound the module uses: every call goes to HOSTRT2.dll by ordinal.
HostSound& ImportedHostSound();

/// Pushes the sound logic's events to the host through the event callback.
class RunEvents : public EventSink {
 public:
  explicit RunEvents(RunData* rd) : rd_(rd) {}
  void Push(int32_t code) override;

 private:
  RunData* rd_;
};

/// A sound context for one routine call on this run data.
struct RunSoundContext {
  explicit RunSoundContext(RunData* rd);
  RunEvents events;
  SoundContext ctx;
};

}  // namespace zu
