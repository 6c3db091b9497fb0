// The harness's side of the host: run data and run header of its own, the
// five callbacks, routine calls through the tables, frames.
#include "hoststub/win/host_harness.h"

#include <psapi.h>

#include <cstring>

#include "frame/editor_data.h"
#include "hoststub/win/hostsim_control.h"

namespace zu {

// The harness's run header: the host's record, then the harness's own word
// through which the callbacks find the harness.
struct HarnessRunHeader {
  RunHeader header;
  HostHarness* owner;
};

struct HostHarness::Slot {
  union {
    RunData object;
    uint8_t bytes[kRunDataSize];  // the size the module asks the host for
  } runData;
  HarnessRunHeader runHeader;
  PlayerRecord playerRecord;
};

namespace {

int32_t PointerValue(const void* p) { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(p)); }

template <typename F>
F As(FARPROC proc) {
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

using ConditionFn = int32_t(__stdcall*)(RunData*, int32_t, int32_t);
using ExpressionFn = int32_t(__stdcall*)(RunData*, int32_t);

}  // namespace

HostHarness::HostHarness() = default;

HostHarness::~HostHarness() {
  // Objects still alive are destroyed as the host would at the end of a run.
  while (!slots_.empty()) Destroy(&slots_.back()->runData.object);
}

bool HostHarness::Load(const char* path) {
  module_ = LoadLibraryA(path);
  if (module_ == nullptr) return false;
  auto infos = As<int32_t(__stdcall*)(void*, RunObjectInfos*)>(Export("GetRunObjectInfos"));
  if (infos == nullptr) return false;
  static_assert(sizeof(infos_.raw) == sizeof(RunObjectInfos), "the whole record");
  std::memset(infos_.raw, 0xCD, sizeof(infos_.raw));
  RunObjectInfos* record = reinterpret_cast<RunObjectInfos*>(infos_.raw);
  if (infos(nullptr, record) != 1) return false;
  infos_.conditionTable = reinterpret_cast<const void* const*>(record->conditionRoutines);
  infos_.actionTable = reinterpret_cast<const void* const*>(record->actionRoutines);
  infos_.expressionTable = reinterpret_cast<const void* const*>(record->expressionRoutines);
  infos_.conditionCount = record->conditionCount;
  infos_.actionCount = record->actionCount;
  infos_.expressionCount = record->expressionCount;
  infos_.editDataSize = record->editDataSize;
  infos_.version = record->editDataVersion;
  return true;
}

FARPROC HostHarness::Export(const char* name) const {
  return module_ ? GetProcAddress(module_, name) : nullptr;
}

RunData* HostHarness::Create(uint8_t enableGenerator, uint32_t bufferLength) {
  auto create =
      As<int32_t(__stdcall*)(RunData*, const EditData*, void*)>(Export("CreateRunObject"));
  if (create == nullptr) return nullptr;
  std::unique_ptr<Slot> slot(new Slot);
  // Whatever the host's allocator left there: the module must set its fields.
  std::memset(slot->runData.bytes, 0xAB, sizeof(slot->runData.bytes));
  std::memset(&slot->runHeader, 0, sizeof(slot->runHeader));
  std::memset(&slot->playerRecord, 0, sizeof(slot->playerRecord));
  RunData* rd = &slot->runData.object;
  rd->header.runHeader = &slot->runHeader.header;
  rd->header.resultFlags = 0;
  slot->runHeader.owner = this;
  RunHeader& header = slot->runHeader.header;
  header.appHandle = kAppHandle;
  header.frameWord = kFrameWord;
  header.playerRecord = &slot->playerRecord;
  slot->playerRecord.playerWord = kPlayerWord;
  header.eventPush = &OnEventPush;
  header.stringResult = &OnStringResult;
  header.firstExprParam = &OnFirstExprParam;
  header.nextExprParam = &OnNextExprParam;
  header.getActionParam = &OnGetActionParam;

  EditData edit{};
  edit.size = kEditDataSize;
  edit.version = kEditDataVersion;
  edit.enableGenerator = enableGenerator;
  edit.bufferLength = bufferLength;
  slots_.push_back(std::move(slot));
  create(rd, &edit, nullptr);
  return rd;
}

void HostHarness::Destroy(RunData* rd) {
  auto destroy = As<int32_t(__stdcall*)(RunData*, int32_t)>(Export("DestroyRunObject"));
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (&slots_[i]->runData.object != rd) continue;
    if (destroy) destroy(rd, 0);
    slots_.erase(slots_.begin() + i);
    return;
  }
}

void HostHarness::QueueInt(int32_t value) { actionQueue_.push_back({kActionParamInt, value}); }

void HostHarness::QueueFloat(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  QueueFloatBits(bits);
}

void HostHarness::QueueFloatBits(uint32_t bits) {
  actionQueue_.push_back({kActionParamFloat, static_cast<int32_t>(bits)});
}

void HostHarness::QueueString(const std::string& text) {
  actionQueue_.push_back({kActionParamString, Text(text)});
}

void HostHarness::QueueExprInt(int32_t value) { exprQueue_.push_back({kExprParamInt, value}); }

void HostHarness::QueueExprString(const std::string& text) {
  exprQueue_.push_back({kExprParamString, Text(text)});
}

int32_t HostHarness::Text(const std::string& text) {
  texts_.push_back(text);
  return PointerValue(texts_.back().c_str());
}

int32_t HostHarness::Condition(RunData* rd, int code, int32_t p1, int32_t p2) {
  if (code < 0 || code >= infos_.conditionCount) return -1;
  auto fn = reinterpret_cast<ConditionFn>(infos_.conditionTable[code]);
  return fn(rd, p1, p2);
}

int32_t HostHarness::Action(RunData* rd, int code, int32_t p1, int32_t p2) {
  if (code < 0 || code >= infos_.actionCount) return -1;
  auto fn = reinterpret_cast<ConditionFn>(infos_.actionTable[code]);
  return fn(rd, p1, p2);
}

int32_t HostHarness::Expression(RunData* rd, int code, int32_t received) {
  if (code < 0 || code >= infos_.expressionCount) return -1;
  rd->header.resultFlags = 0;
  auto fn = reinterpret_cast<ExpressionFn>(infos_.expressionTable[code]);
  return fn(rd, received);
}

float HostHarness::ExpressionFloat(RunData* rd, int code, int32_t received) {
  const int32_t bits = Expression(rd, code, received);
  float value;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

std::string HostHarness::ExpressionString(RunData* rd, int code, int32_t received) {
  const int32_t value = Expression(rd, code, received);
  const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(value));
  return text ? std::string(text) : std::string("<null>");
}

uint16_t HostHarness::Flags(const RunData* rd) const { return rd->header.resultFlags; }

int32_t HostHarness::Frame(RunData* rd, uint32_t ms) {
  HsimAdvanceFrame(ms);
  auto handle = As<int32_t(__stdcall*)(RunData*)>(Export("HandleRunObject"));
  return handle ? handle(rd) : -1;
}

std::vector<int32_t> HostHarness::EventCodes() const {
  std::vector<int32_t> codes;
  for (const HarnessEvent& e : events) codes.push_back(e.code);
  return codes;
}

void HostHarness::ClearRecords() {
  events.clear();
  exprFetches.clear();
  actionFetchKinds.clear();
  stringSizes.clear();
  starvedFetches = 0;
}

HostHarness* HostHarness::OwnerOf(RunData* rd) {
  return reinterpret_cast<HarnessRunHeader*>(rd->header.runHeader)->owner;
}

int32_t __stdcall HostHarness::OnEventPush(RunData* rd, int32_t code, int32_t param) {
  OwnerOf(rd)->events.push_back({rd, code, param});
  return 0;
}

int32_t __stdcall HostHarness::OnStringResult(RunData* rd, int32_t, int32_t size) {
  HostHarness* self = OwnerOf(rd);
  self->stringSizes.push_back(size);
  if (size <= 0) return 0;
  // Filled with a marker so a missing terminator shows up.
  std::unique_ptr<char[]> block(new char[size + 8]);
  std::memset(block.get(), '#', size + 8);
  block[size + 7] = '\0';
  self->strings_.push_back(std::move(block));
  return PointerValue(self->strings_.back().get());
}

int32_t HostHarness::NextExprParam(int32_t type, int32_t token, bool first) {
  exprFetches.push_back({type, token, first});
  if (exprQueue_.empty()) {
    ++starvedFetches;
    return 0;
  }
  const Queued next = exprQueue_.front();
  exprQueue_.pop_front();
  return next.value;
}

int32_t __stdcall HostHarness::OnFirstExprParam(RunData* rd, int32_t type, int32_t token) {
  return OwnerOf(rd)->NextExprParam(type, token, true);
}

int32_t __stdcall HostHarness::OnNextExprParam(RunData* rd, int32_t type, int32_t token) {
  return OwnerOf(rd)->NextExprParam(type, token, false);
}

int32_t __stdcall HostHarness::OnGetActionParam(RunData* rd, int32_t kind, int32_t) {
  HostHarness* self = OwnerOf(rd);
  self->actionFetchKinds.push_back(kind);
  if (self->actionQueue_.empty()) {
    ++self->starvedFetches;
    return 0;
  }
  const Queued next = self->actionQueue_.front();
  self->actionQueue_.pop_front();
  return next.value;
}

uint64_t HeapBytesInUse() {
  HANDLE heaps[256];
  const DWORD count = GetProcessHeaps(256, heaps);
  uint64_t total = 0;
  for (DWORD i = 0; i < count && i < 256; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    }
    HeapUnlock(heaps[i]);
  }
  return total;
}

uint64_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                            sizeof(counters))) {
    return 0;
  }
  return counters.PrivateUsage;
}

}  // namespace zu
