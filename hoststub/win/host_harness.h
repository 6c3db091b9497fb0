#pragma once
// A small host for tests and the demo: loads ZiderUzazir.dll with
// LoadLibrary, reads its run-object information, creates objects in run data
// it allocates, calls routines through the routine tables with parameters
// supplied through the callbacks, runs frames, and records pushed events.
// The stand-in HOSTRT2.dll beside the program plays the sample bank.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "frame/win/run_data.h"

namespace zu {

/// The run-object information as the module filled it.
struct HarnessInfos {
  alignas(4) uint8_t raw[36];  ///< the RunObjectInfos record as written
  const void* const* conditionTable;
  const void* const* actionTable;
  const void* const* expressionTable;
  uint16_t conditionCount;
  uint16_t actionCount;
  uint16_t expressionCount;
  uint16_t editDataSize;
  uint16_t version;
};

/// One event pushed by the module.
struct HarnessEvent {
  RunData* object;
  int32_t code;
  int32_t param;
};

/// One parameter an expression asks for, with what it asked.
struct HarnessExprFetch {
  int32_t type;
  int32_t token;
  bool first;  ///< through the first-parameter callback
};

class HostHarness {
 public:
  /// Application handle, frame word and player word the harness's run header holds.
  static constexpr uint32_t kAppHandle = 0x5A17;
  static constexpr uint32_t kFrameWord = 0x16;
  static constexpr uint32_t kPlayerWord = 0x48;

  HostHarness();
  ~HostHarness();
  HostHarness(const HostHarness&) = delete;
  HostHarness& operator=(const HostHarness&) = delete;

  /// Loads the module (beside the program by default). False on failure.
  bool Load(const char* path = "ZiderUzazir.dll");
  HMODULE module() const { return module_; }
  /// An export of the module by name.
  FARPROC Export(const char* name) const;
  const HarnessInfos& infos() const { return infos_; }

  /// Allocates a run data and calls CreateRunObject with this edit data.
  RunData* Create(uint8_t enableGenerator = 1, uint32_t bufferLength = 5);
  /// Calls DestroyRunObject and releases the run data.
  void Destroy(RunData* rd);

  // --- Parameters handed to the module --------------------------------------------
  /// Queues parameters for the get-action-parameter callback.
  void QueueInt(int32_t value);
  void QueueFloat(float value);
  /// A float given as its bit pattern (kept as it is, signalling NaNs included).
  void QueueFloatBits(uint32_t bits);
  void QueueString(const std::string& text);
  /// Queues parameters for the expression parameter callbacks.
  void QueueExprInt(int32_t value);
  void QueueExprString(const std::string& text);
  /// A text the harness keeps alive, as the 32-bit value a routine receives.
  int32_t Text(const std::string& text);

  // --- Calls through the routine tables -------------------------------------------
  int32_t Condition(RunData* rd, int code, int32_t p1 = 0, int32_t p2 = 0);
  int32_t Action(RunData* rd, int code, int32_t p1 = 0, int32_t p2 = 0);
  /// Clears the result flags first; `received` is the value the routine gets.
  int32_t Expression(RunData* rd, int code, int32_t received = 0);
  float ExpressionFloat(RunData* rd, int code, int32_t received = 0);
  std::string ExpressionString(RunData* rd, int code, int32_t received = 0);
  /// The flag word after the last call.
  uint16_t Flags(const RunData* rd) const;

  /// One frame: the mixer advances by ms, then HandleRunObject runs.
  int32_t Frame(RunData* rd, uint32_t ms = 20);

  // --- What the module did --------------------------------------------------------
  std::vector<HarnessEvent> events;
  std::vector<HarnessExprFetch> exprFetches;
  /// Kinds asked of the get-action-parameter callback, in order.
  std::vector<int32_t> actionFetchKinds;
  /// Sizes asked of the string-result callback.
  std::vector<int32_t> stringSizes;
  /// Parameters asked for while the queue was empty.
  int32_t starvedFetches = 0;
  /// Event codes recorded since the last ClearRecords.
  std::vector<int32_t> EventCodes() const;
  void ClearRecords();

 private:
  struct Slot;
  Slot* SlotOf(const RunData* rd) const;
  static HostHarness* OwnerOf(RunData* rd);
  static int32_t __stdcall OnEventPush(RunData* rd, int32_t code, int32_t param);
  static int32_t __stdcall OnStringResult(RunData* rd, int32_t zero, int32_t size);
  static int32_t __stdcall OnFirstExprParam(RunData* rd, int32_t type, int32_t token);
  static int32_t __stdcall OnNextExprParam(RunData* rd, int32_t type, int32_t token);
  static int32_t __stdcall OnGetActionParam(RunData* rd, int32_t kind, int32_t zero);
  int32_t NextExprParam(int32_t type, int32_t token, bool first);

  struct Queued {
    int32_t kind;  ///< action kinds, or expression types
    int32_t value;
  };

  HMODULE module_ = nullptr;
  HarnessInfos infos_{};
  std::vector<std::unique_ptr<Slot>> slots_;
  std::deque<Queued> actionQueue_;
  std::deque<Queued> exprQueue_;
  std::deque<std::string> texts_;
  std::vector<std::unique_ptr<char[]>> strings_;
};

/// Bytes in use on every heap of the process (busy blocks), for leak checks.
uint64_t HeapBytesInUse();
/// The process's private bytes.
uint64_t PrivateBytes();

}  // namespace zu
