// The harness's side of the host: run data and run header of its own, the
// five callbacks, routine calls through the tables, frames.
#include "hoststub/win/host_harness.h"

#include <psapi.h>

#include <cstring>

#include "frame/editor_data.h"
#include "hoststub/win/hostsim_control.h"

namespace zu {

struct HostHarness::Slot {
  alignas(8) uint8_t runData[kRunDataSize];
  alignas(8) uint8_t runHeader[1280];
  alignas(8) uint8_t playerRecord[64];
};

namespace {

template <typename T>
void Put(uint8_t* at, T value) {
  std::memcpy(at, &value, sizeof(value));
}

template <typename T>
T Get(const uint8_t* at) {
  T value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

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
  while (!slots_.empty()) Destroy(reinterpret_cast<RunData*>(slots_.back()->runData));
}

bool HostHarness::Load(const char* path) {
  module_ = LoadLibraryA(path);
  if (module_ == nullptr) return false;
  auto infos = As<int32_t(__stdcall*)(void*, uint8_t*)>(Export("GetRunObjectInfos"));
  if (infos == nullptr) return false;
  std::memset(infos_.raw, 0xCD, sizeof(infos_.raw));
  if (infos(nullptr, infos_.raw) != 1) return false;
  infos_.conditionTable = Get<const void* const*>(infos_.raw + 0);
  infos_.actionTable = Get<const void* const*>(infos_.raw + 4);
  infos_.expressionTable = Get<const void* const*>(infos_.raw + 8);
  infos_.conditionCount = Get<uint16_t>(infos_.raw + 12);
  infos_.actionCount = Get<uint16_t>(infos_.raw + 14);
  infos_.expressionCount = Get<uint16_t>(infos_.raw + 16);
  infos_.editDataSize = Get<uint16_t>(infos_.raw + 18);
  infos_.version = Get<uint16_t>(infos_.raw + 32);
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
  std::memset(slot->runData, 0xAB, sizeof(slot->runData));
  std::memset(slot->runHeader, 0, sizeof(slot->runHeader));
  std::memset(slot->playerRecord, 0, sizeof(slot->playerRecord));
  Put(slot->runData + kRunHeaderPointerOffset, static_cast<uint8_t*>(slot->runHeader));
  Put<uint16_t>(slot->runData + kFlagWordOffset, 0);
  Put(slot->runHeader + 0, this);  // the harness finds itself from the run header
  Put(slot->runHeader + kAppHandleOffset, kAppHandle);
  Put(slot->runHeader + kFrameWordOffset, kFrameWord);
  Put(slot->runHeader + kPlayerRecordOffset, static_cast<uint8_t*>(slot->playerRecord));
  Put(slot->playerRecord + kPlayerWordOffset, kPlayerWord);
  Put<HostCallback>(slot->runHeader + kEventPushOffset, &OnEventPush);
  Put<HostCallback>(slot->runHeader + kStringResultOffset, &OnStringResult);
  Put<HostCallback>(slot->runHeader + kFirstExprParamOffset, &OnFirstExprParam);
  Put<HostCallback>(slot->runHeader + kNextExprParamOffset, &OnNextExprParam);
  Put<HostCallback>(slot->runHeader + kGetActionParamOffset, &OnGetActionParam);

  EditData edit{};
  edit.size = kEditDataSize;
  edit.version = kEditDataVersion;
  edit.enableGenerator = enableGenerator;
  edit.bufferLength = bufferLength;
  RunData* rd = reinterpret_cast<RunData*>(slot->runData);
  slots_.push_back(std::move(slot));
  create(rd, &edit, nullptr);
  return rd;
}

void HostHarness::Destroy(RunData* rd) {
  auto destroy = As<int32_t(__stdcall*)(RunData*, int32_t)>(Export("DestroyRunObject"));
  for (size_t i = 0; i < slots_.size(); ++i) {
    if (reinterpret_cast<RunData*>(slots_[i]->runData) != rd) continue;
    if (destroy) destroy(rd, 0);
    slots_.erase(slots_.begin() + i);
    return;
  }
}

void HostHarness::QueueInt(int32_t value) { actionQueue_.push_back({kActionParamInt, value}); }

void HostHarness::QueueFloat(float value) {
  int32_t bits;
  std::memcpy(&bits, &value, sizeof(bits));
  actionQueue_.push_back({kActionParamFloat, bits});
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
  Put<uint16_t>(reinterpret_cast<uint8_t*>(rd) + kFlagWordOffset, 0);
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

uint16_t HostHarness::Flags(const RunData* rd) const {
  return Get<uint16_t>(reinterpret_cast<const uint8_t*>(rd) + kFlagWordOffset);
}

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
  const uint8_t* header =
      Get<const uint8_t*>(reinterpret_cast<uint8_t*>(rd) + kRunHeaderPointerOffset);
  return Get<HostHarness*>(header);
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
