// HostSound over the host runtime library's ordinal imports.
#include "frame/win/hostrt2_sound.h"

#include "frame/win/host_runtime.h"
#include "frame/win/hostrt2_imports.h"

namespace zu {

namespace {

// Every method calls the import of the same name.
class Hostrt2Sound final : public HostSound {
 public:
#define ZU_HOST_SOUND_OP(ordinal, Name, Result, params, args) \
  Result Name params override { return Hs##Name args; }
#include "sound/host_sound_ops.inc"
#undef ZU_HOST_SOUND_OP
};

// The word of the player record the run header points to, 0 without one.
uint32_t PlayerWord(const RunData* rd) {
  const RunHeader* header = rd->header.runHeader;
  if (header == nullptr || header->playerRecord == nullptr) return 0;
  return header->playerRecord->playerWord;
}

}  // namespace

HostSound& ImportedHostSound() {
  static Hostrt2Sound host;
  return host;
}

void RunEvents::Push(int32_t code) { PushEvent(rd_, code); }

RunSoundContext::RunSoundContext(RunData* rd)
    : events(rd), ctx{ImportedHostSound(), RunHeaderWord(rd, &RunHeader::appHandle),
                      PlayerWord(rd),      RunHeaderWord(rd, &RunHeader::frameWord),
                      rd->sound,           events} {}

}  // namespace zu
