// The module's entry point and run-time exports: object creation and
// destruction, the per-frame call, the run-object information and the
// descriptor lookups, and the run-time entries that have nothing to do.
#include <windows.h>

#include <cstring>
#include <new>

#include "frame/ace_table.h"
#include "frame/editor_data.h"
#include "frame/registry.h"
#include "frame/win/host_runtime.h"
#include "frame/win/hostrt2_sound.h"
#include "frame/win/module.h"
#include "frame/win/run_data.h"
#include "generator/generator_object.h"
#include "generator/sound_generator.h"
#include "sound/channel_monitor.h"

namespace zu {
namespace {

HINSTANCE g_module = nullptr;

// The debug item list: only the end marker.
const uint16_t kDebugTree[] = {0xFFFF};

const uint16_t* EntryWordTwo(AceKind kind, int32_t code) {
  const uint16_t* entry = FindDescriptorEntry(kind, static_cast<uint16_t>(code));
  return entry ? entry + 2 : nullptr;
}

}  // namespace

HINSTANCE ModuleHandle() { return g_module; }

}  // namespace zu

using zu::RunData;

extern "C" {

// Called after the static initialisers for process attach and for every later
// notification. Process attach builds the descriptor arrays and routine
// tables; later calls keep them (a call after a failed allocation builds what
// is missing), so the host's addresses stay valid and thread starts cost
// nothing. They are released when the module is unloaded, not when the
// process ends.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) zu::g_module = module;
  if (reason == DLL_PROCESS_DETACH) {
    if (reserved == nullptr) zu::ReleaseModuleTables();
  } else {
    zu::BuildModuleTables(zu::ModuleRoutines());
  }
  return TRUE;
}

uint32_t WINAPI GetRunObjectDataSize(void*, void*) { return zu::kRunDataSize; }

int32_t WINAPI CreateRunObject(RunData* rd, const zu::EditData* edit, void*) {
  if (rd == nullptr) return 0;
  rd->paramReader = new (std::nothrow) zu::ParamReader(rd);
  const bool enabled = edit != nullptr && edit->enableGenerator != 0;
  const zu::GeneratorObject object =
      zu::CreateGeneratorObject(enabled, edit != nullptr ? edit->bufferLength : 0);
  rd->generator = object.generator;
  rd->waveBuffer = object.waveBuffer;
  rd->waveCapacity = object.waveCapacity;
  rd->generatedBytes = 0;
  std::memset(&rd->sound, 0, sizeof(rd->sound));
  return 0;
}

int32_t WINAPI DestroyRunObject(RunData* rd, int32_t) {
  if (rd == nullptr) return 0;
  zu::GeneratorObject object;
  object.generator = rd->generator;
  object.waveBuffer = rd->waveBuffer;
  zu::ReleaseGeneratorObject(object);
  rd->waveBuffer = nullptr;
  rd->waveCapacity = 0;
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

int32_t WINAPI GetRunObjectInfos(void*, zu::RunObjectInfos* record) {
  using namespace zu;
  if (record == nullptr) return 1;
  record->conditionRoutines = RoutineTable(AceKind::kCondition);
  record->actionRoutines = RoutineTable(AceKind::kAction);
  record->expressionRoutines = RoutineTable(AceKind::kExpression);
  record->conditionCount = static_cast<uint16_t>(AceCountOf(AceKind::kCondition));
  record->actionCount = static_cast<uint16_t>(AceCountOf(AceKind::kAction));
  record->expressionCount = static_cast<uint16_t>(AceCountOf(AceKind::kExpression));
  record->editDataSize = static_cast<uint16_t>(kEditDataSize);
  record->word20 = 0;
  record->byte24 = 100;
  // byte25 is the host's.
  record->word26 = 0;
  std::memcpy(record->identifier, "KWRB", 4);
  record->editDataVersion = static_cast<uint16_t>(kEditDataVersion);
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
