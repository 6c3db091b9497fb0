// HostSound over the host runtime library's ordinal imports.
#include "frame/win/hostrt2_sound.h"

#include <cstring>

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

// The word at offset 48 of the record the run header points to at 1268.
uint32_t PlayerWord(const RunData* rd) {
  const uint32_t recordAddress = RunHeaderWord(rd, kPlayerRecordOffset);
  if (recordAddress == 0) return 0;
  uint32_t word;
  std::memcpy(&word, reinterpret_cast<const uint8_t*>(recordAddress) + kPlayerWordOffset,
              sizeof(word));
  return word;
}

}  // namespace

HostSound& ImportedHostSound() {
  static Hostrt2Sound host;
  return host;
}

void RunEvents::Push(int32_t code) { PushEvent(rd_, code); }

RunSoundContext::RunSoundContext(RunData* rd)
    : events(rd), ctx{ImportedHostSound(), RunHeaderWord(rd, kAppHandleOffset),
                      PlayerWord(rd),      RunHeaderWord(rd, kFrameWordOffset),
                      rd->sound,           events} {}

}  // namespace zu
