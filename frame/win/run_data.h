#pragma once
// The host's records as the module and the host harness use them: the
// run-object header, the run header, the record behind it that the play
// operation reads, the run-object information record, and the module's
// per-object RunData. 32-bit build only: every offset below is the host's
// layout, checked by the static_asserts.

#include <cstddef>
#include <cstdint>

#include "frame/registry.h"
#include "sound/sound_state.h"

namespace zu {

class ParamReader;
class SoundGenerator;

struct RunData;
struct RunHeader;

/// Every host callback: three 32-bit arguments, run object first, callee pops.
using HostCallback = int32_t(__stdcall*)(RunData* runObject, int32_t a, int32_t b);

// Each host record below is declared field by field with its offset and
// width (@offset, width); the bytes the module does not use are the host's.

/// The host's run-object header, bytes 0 to 183 of every RunData.
struct RunObjectHeader {
  uint8_t host0[8];      ///< @0, 8: the host's
  RunHeader* runHeader;  ///< @8, 4: the run header (host)
  uint8_t host12[112];   ///< @12, 112: the host's
  uint16_t resultFlags;  ///< @124, 2: an expression ORs in kFloatResultFlag or kStringResultFlag
  uint8_t host126[58];   ///< @126, 58: the host's
};
constexpr uint16_t kFloatResultFlag = 0x4000;
constexpr uint16_t kStringResultFlag = 0x8000;

/// The host record the run header points to at 1268.
struct PlayerRecord {
  uint8_t host0[48];    ///< @0, 48: the host's
  uint32_t playerWord;  ///< @48, 4: first argument of play sample on channel
};

/// The host's run header, as far as the module reads it.
struct RunHeader {
  uint8_t host0[8];             ///< @0, 8: the host's
  uint32_t appHandle;           ///< @8, 4: first argument of every host sound call
  uint8_t host12[4];            ///< @12, 4: the host's
  uint32_t frameWord;           ///< @16, 4: passed to play sample on channel
  uint8_t host20[844];          ///< @20, 844: the host's
  HostCallback eventPush;       ///< @864, 4: (run object, condition code, 0)
  uint8_t host868[4];           ///< @868, 4: the host's
  HostCallback stringResult;    ///< @872, 4: (run object, 0, size incl. terminator) -> memory
  HostCallback firstExprParam;  ///< @876, 4: (run object, type, token) -> first parameter
  HostCallback nextExprParam;   ///< @880, 4: (run object, type, token) -> next parameter
  uint8_t host884[44];          ///< @884, 44: the host's
  HostCallback getActionParam;  ///< @928, 4: (run object, kind, 0) -> next action parameter
  uint8_t host932[336];         ///< @932, 336: the host's
  PlayerRecord* playerRecord;   ///< @1268, 4: its playerWord goes to play sample on channel
};

/// Kinds for the get-action-parameter callback.
constexpr int32_t kActionParamInt = 0;
constexpr int32_t kActionParamString = -1;
constexpr int32_t kActionParamFloat = 2;
/// Types for the expression parameter callbacks.
constexpr int32_t kExprParamInt = 0;
constexpr int32_t kExprParamString = 1;

constexpr uint32_t kRunDataSize = 616;

/// The per-object record, allocated by the host with kRunDataSize bytes.
struct RunData {
  RunObjectHeader header;     ///< @0, 184: the host's run-object header
  ParamReader* paramReader;   ///< @184, 4: expression parameter fetcher (runtime)
  SoundGenerator* generator;  ///< @188, 4: the object's generator, always created
  uint8_t* waveBuffer;        ///< @192, 4: RIFF/WAVE image, null when disabled
  uint32_t waveCapacity;      ///< @196, 4: sample bytes after the 44-byte header
  uint32_t generatedBytes;    ///< @200, 4: sample bytes of the last render
  SoundState sound;           ///< @204, 400: newestSample 204, playedChannel 208, playedSample 212,
                              ///< monitorActive 216, channels 220 (32 x 12) - the sound logic's
};

/// The record GetRunObjectInfos fills (the host's). Byte 25 is the host's
/// and never written, so the module writes the fields one by one.
struct RunObjectInfos {
  const RoutineAddress* conditionRoutines;   ///< @0, 4: routine table, count + 1, last null
  const RoutineAddress* actionRoutines;      ///< @4, 4
  const RoutineAddress* expressionRoutines;  ///< @8, 4
  uint16_t conditionCount;                   ///< @12, 2
  uint16_t actionCount;                      ///< @14, 2
  uint16_t expressionCount;                  ///< @16, 2
  uint16_t editDataSize;                     ///< @18, 2: bytes of the EditData
  uint32_t word20;                           ///< @20, 4: the host's meaning; the module writes 0
  uint8_t byte24;                            ///< @24, 1: the host's meaning; the module writes 100
  uint8_t byte25;                            ///< @25, 1: the host's; never written
  uint16_t word26;                           ///< @26, 2: the host's meaning; the module writes 0
  char identifier[4];                        ///< @28, 4: "KWRB"
  uint16_t editDataVersion;                  ///< @32, 2: the EditData version, 2
};

static_assert(sizeof(void*) == 4, "the host's records are the 32-bit host's");
static_assert(sizeof(RunObjectHeader) == 184, "run-object header");
static_assert(offsetof(RunObjectHeader, runHeader) == 8, "run-object header");
static_assert(offsetof(RunObjectHeader, resultFlags) == 124, "run-object header");
static_assert(offsetof(PlayerRecord, playerWord) == 48, "player record");
static_assert(offsetof(RunHeader, appHandle) == 8, "run header");
static_assert(offsetof(RunHeader, frameWord) == 16, "run header");
static_assert(offsetof(RunHeader, eventPush) == 864, "run header");
static_assert(offsetof(RunHeader, stringResult) == 872, "run header");
static_assert(offsetof(RunHeader, firstExprParam) == 876, "run header");
static_assert(offsetof(RunHeader, nextExprParam) == 880, "run header");
static_assert(offsetof(RunHeader, getActionParam) == 928, "run header");
static_assert(offsetof(RunHeader, playerRecord) == 1268, "run header");
static_assert(sizeof(RunHeader) == 1272, "run header");
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
static_assert(offsetof(RunObjectInfos, actionRoutines) == 4, "run-object information");
static_assert(offsetof(RunObjectInfos, expressionRoutines) == 8, "run-object information");
static_assert(offsetof(RunObjectInfos, conditionCount) == 12, "run-object information");
static_assert(offsetof(RunObjectInfos, actionCount) == 14, "run-object information");
static_assert(offsetof(RunObjectInfos, expressionCount) == 16, "run-object information");
static_assert(offsetof(RunObjectInfos, editDataSize) == 18, "run-object information");
static_assert(offsetof(RunObjectInfos, word20) == 20, "run-object information");
static_assert(offsetof(RunObjectInfos, byte24) == 24, "run-object information");
static_assert(offsetof(RunObjectInfos, byte25) == 25, "run-object information");
static_assert(offsetof(RunObjectInfos, word26) == 26, "run-object information");
static_assert(offsetof(RunObjectInfos, identifier) == 28, "run-object information");
static_assert(offsetof(RunObjectInfos, editDataVersion) == 32, "run-object information");

// --- Access to the host's records ----------------------------------------------------

/// The run header's word, or 0 when the run object has no run header.
inline uint32_t RunHeaderWord(const RunData* rd, uint32_t RunHeader::*field) {
  const RunHeader* header = rd->header.runHeader;
  return header != nullptr ? header->*field : 0;
}

/// The run header's callback, or null when the run object has no run header.
inline HostCallback CallbackOf(const RunData* rd, HostCallback RunHeader::*field) {
  const RunHeader* header = rd->header.runHeader;
  return header != nullptr ? header->*field : nullptr;
}

inline void MarkResult(RunData* rd, uint16_t flag) {
  rd->header.resultFlags = static_cast<uint16_t>(rd->header.resultFlags | flag);
}

}  // namespace zu
