// The module's entry point and run-time exports: object creation and
// destruction, the per-frame call, the run-object information and the
// descriptor lookups, and the run-time entries that have nothing to do.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "frame/editor_data.h"
#include "frame/registry.h"
#include "frame/win/host_runtime.h"
#include "frame/win/hostrt2_sound.h"
#include "frame/win/module.h"
#include "frame/win/run_data.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/wave_render.h"
#include "sound/channel_monitor.h"

namespace zu {
namespace {

HINSTANCE g_module = nullptr;

// The debug item list: only the end marker.
const uint16_t kDebugTree[] = {0xFFFF};

// The record GetRunObjectInfos fills, by byte offset.
constexpr size_t kInfoConditionTable = 0;
constexpr size_t kInfoActionTable = 4;
constexpr size_t kInfoExpressionTable = 8;
constexpr size_t kInfoConditionCount = 12;
constexpr size_t kInfoActionCount = 14;
constexpr size_t kInfoExpressionCount = 16;
constexpr size_t kInfoEditDataSize = 18;
constexpr size_t kInfoWord20 = 20;
constexpr size_t kInfoByte24 = 24;
constexpr size_t kInfoWord26 = 26;
constexpr size_t kInfoIdentifier = 28;
constexpr size_t kInfoVersion = 32;

template <typename T>
void Put(uint8_t* record, size_t offset, T value) {
  std::memcpy(record + offset, &value, sizeof(value));
}

const uint16_t* EntryWordTwo(AceKind kind, int32_t code) {
  const uint16_t* entry = FindDescriptorEntry(kind, static_cast<uint16_t>(code));
  return entry ? entry + 2 : nullptr;
}

}  // namespace

HINSTANCE ModuleHandle() { return g_module; }

}  // namespace zu

using zu::RunData;

extern "C" {

// Called after the static registrations for process attach and for every
// later notification: each call publishes a fresh set of descriptor arrays and
// routine tables (earlier sets stay valid: the host may hold their addresses).
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  zu::BuildModuleTables();
  if (reason == DLL_PROCESS_ATTACH) {
    zu::g_module = module;
  }
  return TRUE;
}

uint32_t WINAPI GetRunObjectDataSize(void*, void*) { return zu::kRunDataSize; }

int32_t WINAPI CreateRunObject(RunData* rd, const zu::EditData* edit, void*) {
  if (rd == nullptr) return 0;
  rd->paramReader = new (std::nothrow) zu::ParamReader(rd);
  rd->waveBuffer = nullptr;
  rd->waveCapacity = 0;
  if (edit != nullptr && edit->enableGenerator != 0) {
    zu::SeedRand(zu::CurrentTimeSeed());
    const uint32_t capacity = zu::WaveCapacityFor(edit->bufferLength);
    rd->waveBuffer = static_cast<uint8_t*>(std::malloc(capacity + zu::kWaveHeaderBytes));
    // Without its buffer the generator stays disabled rather than failing later.
    if (rd->waveBuffer != nullptr) rd->waveCapacity = capacity;
  }
  rd->generator = new (std::nothrow) zu::SoundGenerator();
  if (rd->waveBuffer != nullptr) {
    // Before the first render the image is a valid empty sound, not stale bytes.
    zu::GeneratorParams params;
    params.Reset();
    zu::WriteWaveHeader(rd->generator ? rd->generator->params : params, 0, rd->waveBuffer);
  }
  rd->generatedBytes = 0;
  std::memset(&rd->sound, 0, sizeof(rd->sound));
  return 0;
}

int32_t WINAPI DestroyRunObject(RunData* rd, int32_t) {
  if (rd == nullptr) return 0;
  std::free(rd->waveBuffer);
  rd->waveBuffer = nullptr;
  rd->waveCapacity = 0;
  delete rd->generator;
  rd->generator = nullptr;
  delete rd->paramReader;
  rd->paramReader = nullptr;
  return 0;
}

int32_t WINAPI HandleRunObject(RunData* rd) {
  if (rd == nullptr || rd->sound.monitorActive == 0) return 0;
  zu::RunSoundContext run(rd);
  zu::RunChannelMonitor(run.ctx);
  return 0;
}

void WINAPI StartApp(void*, void*) {}
void WINAPI EndApp(void*, void*) {}
void WINAPI StartFrame(void*, void*, int32_t) {}
void WINAPI EndFrame(void*, void*, int32_t) {}
int32_t WINAPI PauseRunObject(RunData*) { return 0; }
int32_t WINAPI ContinueRunObject(RunData*) { return 0; }
int32_t WINAPI DisplayRunObject(RunData*) { return 0; }
int32_t WINAPI Free(void*) { return 0; }
const uint16_t* WINAPI GetDebugTree(RunData*) { return zu::kDebugTree; }
void WINAPI GetDebugItem(char*, RunData*, int32_t) {}
void WINAPI EditDebugItem(RunData*, int32_t) {}

int32_t WINAPI GetRunObjectInfos(void*, uint8_t* record) {
  using namespace zu;
  if (record == nullptr) return 1;
  Put(record, kInfoConditionTable, RoutineTable(AceKind::kCondition));
  Put(record, kInfoActionTable, RoutineTable(AceKind::kAction));
  Put(record, kInfoExpressionTable, RoutineTable(AceKind::kExpression));
  Put(record, kInfoConditionCount, static_cast<uint16_t>(AceCount(AceKind::kCondition)));
  Put(record, kInfoActionCount, static_cast<uint16_t>(AceCount(AceKind::kAction)));
  Put(record, kInfoExpressionCount, static_cast<uint16_t>(AceCount(AceKind::kExpression)));
  Put(record, kInfoEditDataSize, static_cast<uint16_t>(kEditDataSize));
  Put(record, kInfoWord20, uint32_t{0});
  Put(record, kInfoByte24, uint8_t{100});
  // Byte 25 is the host's.
  Put(record, kInfoWord26, uint16_t{0});
  std::memcpy(record + kInfoIdentifier, "KWRB", 4);
  Put(record, kInfoVersion, static_cast<uint16_t>(kEditDataVersion));
  return 1;
}

const uint16_t* WINAPI GetConditionInfos(void*, int32_t code) {
  return zu::EntryWordTwo(zu::AceKind::kCondition, code);
}
const uint16_t* WINAPI GetActionInfos(void*, int32_t code) {
  return zu::EntryWordTwo(zu::AceKind::kAction, code);
}
const uint16_t* WINAPI GetExpressionInfos(void*, int32_t code) {
  return zu::EntryWordTwo(zu::AceKind::kExpression, code);
}

}  // extern "C"
