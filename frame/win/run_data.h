#pragma once
// The host's run-object header and run header as far as the module uses
// them, and the module's per-object RunData. 32-bit build only: the host hands
// us these records and every offset below is its layout.

#include <cstddef>
#include <cstdint>

#include "sound/sound_state.h"

namespace zu {

class ParamReader;
class SoundGenerator;

// --- Run-object header (bytes 0 to 183 of every RunData, the host's) -------------
constexpr size_t kRunObjectHeaderSize = 184;
constexpr size_t kRunHeaderPointerOffset = 8;  ///< pointer to the run header
constexpr size_t kFlagWordOffset = 124;        ///< 16-bit result flags
constexpr uint16_t kFloatResultFlag = 0x4000;
constexpr uint16_t kStringResultFlag = 0x8000;

// --- Run header (the host's) -------------------------------------------------------
constexpr size_t kAppHandleOffset = 8;        ///< first argument of every host sound call
constexpr size_t kFrameWordOffset = 16;       ///< passed to play sample on channel
constexpr size_t kPlayerRecordOffset = 1268;  ///< pointer to a record; its word at 48 goes to play
constexpr size_t kPlayerWordOffset = 48;
constexpr size_t kEventPushOffset = 864;       ///< (run object, condition code, 0)
constexpr size_t kStringResultOffset = 872;    ///< (run object, 0, size incl. terminator)
constexpr size_t kFirstExprParamOffset = 876;  ///< (run object, type, token)
constexpr size_t kNextExprParamOffset = 880;   ///< (run object, type, token)
constexpr size_t kGetActionParamOffset = 928;  ///< (run object, kind, 0)
constexpr size_t kRunHeaderMinSize = 932;

// Kinds for the get-action-parameter callback.
constexpr int32_t kActionParamInt = 0;
constexpr int32_t kActionParamString = -1;
constexpr int32_t kActionParamFloat = 2;
// Types for the expression parameter callbacks.
constexpr int32_t kExprParamInt = 0;
constexpr int32_t kExprParamString = 1;

struct RunData;

/// Every host callback: three 32-bit arguments, run object first, callee pops.
using HostCallback = int32_t(__stdcall*)(RunData* runObject, int32_t a, int32_t b);

constexpr uint32_t kRunDataSize = 616;

/// The per-object record, allocated by the host with kRunDataSize bytes.
struct RunData {
  uint8_t header[kRunObjectHeaderSize];  ///< @0, 184: the host's run-object header
  ParamReader* paramReader;              ///< @184, 4: expression parameter fetcher (runtime)
  SoundGenerator* generator;             ///< @188, 4: the object's generator, always created
  uint8_t* waveBuffer;                   ///< @192, 4: RIFF/WAVE image, null when disabled
  uint32_t waveCapacity;                 ///< @196, 4: sample bytes after the 44-byte header
  uint32_t generatedBytes;               ///< @200, 4: sample bytes of the last render
  SoundState sound;  ///< @204, 400: newestSample 204, playedChannel 208, playedSample 212,
                     ///< monitorActive 216, channels 220 (32 x 12) - the sound logic's
};

static_assert(sizeof(void*) == 4, "the run data layout is the 32-bit host's");
static_assert(offsetof(RunData, paramReader) == 184, "RunData layout");
static_assert(offsetof(RunData, generator) == 188, "RunData layout");
static_assert(offsetof(RunData, waveBuffer) == 192, "RunData layout");
static_assert(offsetof(RunData, waveCapacity) == 196, "RunData layout");
static_assert(offsetof(RunData, generatedBytes) == 200, "RunData layout");
static_assert(offsetof(RunData, sound) + offsetof(SoundState, newestSample) == 204, "layout");
static_assert(offsetof(RunData, sound) + offsetof(SoundState, playedChannel) == 208, "layout");
static_assert(offsetof(RunData, sound) + offsetof(SoundState, playedSample) == 212, "layout");
static_assert(offsetof(RunData, sound) + offsetof(SoundState, monitorActive) == 216, "layout");
static_assert(offsetof(RunData, sound) + offsetof(SoundState, channels) == 220, "layout");
static_assert(sizeof(RunData) <= kRunDataSize, "RunData fits the size the host allocates");

// --- Access to the host's records ----------------------------------------------------

inline uint8_t* RunHeaderOf(const RunData* rd) {
  uint8_t* header;
  __builtin_memcpy(&header, rd->header + kRunHeaderPointerOffset, sizeof(header));
  return header;
}

inline uint32_t RunHeaderWord(const RunData* rd, size_t offset) {
  const uint8_t* header = RunHeaderOf(rd);
  uint32_t value = 0;
  if (header != nullptr) __builtin_memcpy(&value, header + offset, sizeof(value));
  return value;
}

inline HostCallback CallbackAt(const RunData* rd, size_t offset) {
  const uint8_t* header = RunHeaderOf(rd);
  HostCallback callback = nullptr;
  if (header != nullptr) __builtin_memcpy(&callback, header + offset, sizeof(callback));
  return callback;
}

inline void MarkResult(RunData* rd, uint16_t flag) {
  uint16_t flags;
  __builtin_memcpy(&flags, rd->header + kFlagWordOffset, sizeof(flags));
  flags = static_cast<uint16_t>(flags | flag);
  __builtin_memcpy(rd->header + kFlagWordOffset, &flags, sizeof(flags));
}

}  // namespace zu
