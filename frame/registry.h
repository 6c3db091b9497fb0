#pragma once
// The registry of the object's conditions, actions and expressions, and the
// data the host reads from it: per kind a descriptor array of 16-bit words
// and a routine table.
//
// How it fits together:
// - frame/ace_entries.inc holds one row per entry; frame/ace_table.h makes
//   of it the 103 entries as plain data (kind, code, display text, flags,
//   menu item, parameter types and titles) in registration order, so the
//   complete table is available in every build, native tests included.
// - RegisterModuleEntries(routines) registers those entries, in table order,
//   into the module registry (ModuleRegistry()). The Windows module does it
//   from a static initialiser with its real routine addresses; native code
//   (tests, tools) may call it with null routines. It registers only once.
// - BuildModuleTables() turns the module registry into the descriptor arrays
//   and routine tables. The module's entry point calls it on every call; each
//   build replaces the published set and never frees an earlier one, since
//   the host may still hold its addresses.
// - Read access by kind: AceCount, AceRecordByCode, DescriptorArray,
//   DescriptorWordCount, FindDescriptorEntry, RoutineTable, MenuIdBase.
//
// Routines are stored type-erased (RoutineAddress); the Windows layer casts
// them back to its calling convention. Nothing here includes a platform
// header.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace zu {

enum class AceKind : int { kCondition = 0, kAction = 1, kExpression = 2 };
constexpr int kAceKindCount = 3;

/// A routine address with its signature erased.
using RoutineAddress = void (*)();

/// Menu id base of a kind: 26000 conditions, 25000 actions, 27000 expressions.
/// An entry's menu id is base + 10 x code; its parameter title ids follow it.
constexpr uint16_t MenuIdBase(AceKind kind) {
  return kind == AceKind::kCondition ? 26000 : kind == AceKind::kAction ? 25000 : 27000;
}
/// The menu id of the entry of this kind and code (16-bit arithmetic).
constexpr uint16_t MenuIdOf(AceKind kind, uint32_t code) {
  return static_cast<uint16_t>(MenuIdBase(kind) + 10 * code);
}

// Parameter types as the host numbers them.
constexpr uint16_t kParamNumber = 22;     // condition/action: integer or float
constexpr uint16_t kParamText = 45;       // condition/action: pointer to text
constexpr uint16_t kParamFile = 63;       // condition/action: pointer to a path
constexpr uint16_t kParamExprInt = 1;     // expression: integer
constexpr uint16_t kParamExprString = 3;  // expression: string

// Expression flags: the kind of result.
constexpr uint16_t kResultInt = 0;
constexpr uint16_t kResultString = 1;
constexpr uint16_t kResultFloat = 2;

/// Growable list of trivially copyable elements: storage for 3 at creation;
/// before adding to a full list the capacity becomes 3 x count + 1. Storage
/// comes from malloc, so a failed allocation never throws: Append then
/// reports false and leaves the list as it was.
template <typename T>
class GrowList {
 public:
  GrowList() { Reserve(3); }
  ~GrowList() { std::free(data_); }
  GrowList(const GrowList&) = delete;
  GrowList& operator=(const GrowList&) = delete;

  bool Append(const T& value) {
    if (count_ == capacity_ && !Reserve(3 * count_ + 1)) return false;
    data_[count_++] = value;
    return true;
  }
  /// Replaces the contents with a copy of other's, in storage for exactly
  /// capacity elements (at least other's count).
  bool CopyFrom(const GrowList& other, uint32_t capacity) {
    if (capacity < other.count_) capacity = other.count_;
    T* fresh = static_cast<T*>(std::malloc(sizeof(T) * (capacity ? capacity : 1)));
    if (fresh == nullptr) return false;
    if (other.count_ != 0) std::memcpy(fresh, other.data_, sizeof(T) * other.count_);
    std::free(data_);
    data_ = fresh;
    count_ = other.count_;
    capacity_ = capacity;
    return true;
  }
  /// Frees the storage; the list is empty with capacity 0 afterwards.
  void Release() {
    std::free(data_);
    data_ = nullptr;
    count_ = capacity_ = 0;
  }

  uint32_t count() const { return count_; }
  uint32_t capacity() const { return capacity_; }
  const T* data() const { return data_; }
  const T& operator[](uint32_t i) const { return data_[i]; }

 private:
  bool Reserve(uint32_t capacity) {
    T* grown = static_cast<T*>(std::realloc(data_, sizeof(T) * capacity));
    if (grown == nullptr) return false;
    data_ = grown;
    capacity_ = capacity;
    return true;
  }

  T* data_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
};

/// The parameter list of one entry while it is registered: types (16-bit)
/// and titles side by side. Consumed by the AceRecord constructor.
struct ParamList {
  ParamList() = default;
  /// Appends one parameter; the type is kept as its low 16 bits.
  bool Add(int type, const char* title) {
    return paramTypes.Append(static_cast<uint16_t>(type)) && paramTitles.Append(title);
  }

  GrowList<uint16_t> paramTypes;
  GrowList<const char*> paramTitles;
};

class AceRegistry;

/// One registered condition, action or expression.
class AceRecord {
 public:
  /// Copies the parameter lists into storage for count + 1 elements, stores
  /// the routine in the field of its kind, appends itself to the registry's
  /// list of that kind and releases the ParamList's storage.
  AceRecord(AceRegistry& registry, AceKind kind, RoutineAddress routine, uint16_t flags,
            const char* displayText, ParamList& params);
  /// Releases titles first, then types.
  ~AceRecord();
  AceRecord(const AceRecord&) = delete;
  AceRecord& operator=(const AceRecord&) = delete;

  uint32_t ParamCount() const { return paramTypes.count(); }
  uint16_t ParamType(uint32_t j) const { return j < paramTypes.count() ? paramTypes[j] : 0; }
  const char* ParamTitle(uint32_t j) const {
    return j < paramTitles.count() ? paramTitles[j] : nullptr;
  }
  /// The routine of whichever kind this record is.
  RoutineAddress Routine() const {
    return conditionRoutine ? conditionRoutine : actionRoutine ? actionRoutine : expressionRoutine;
  }

  GrowList<uint16_t> paramTypes;
  GrowList<const char*> paramTitles;
  RoutineAddress conditionRoutine = nullptr;
  RoutineAddress actionRoutine = nullptr;
  RoutineAddress expressionRoutine = nullptr;
  const char* displayText = nullptr;
  uint16_t flags = 0;
};

/// Three lists of record pointers; a record's code is its position in the
/// list of its kind.
class AceRegistry {
 public:
  uint32_t Count(AceKind kind) const { return lists_[static_cast<int>(kind)].count(); }
  /// Null for a code outside 0 .. Count - 1.
  const AceRecord* Record(AceKind kind, uint32_t code) const {
    const GrowList<AceRecord*>& list = lists_[static_cast<int>(kind)];
    return code < list.count() ? list[code] : nullptr;
  }
  bool Add(AceKind kind, AceRecord* record) {
    return lists_[static_cast<int>(kind)].Append(record);
  }

 private:
  GrowList<AceRecord*> lists_[kAceKindCount];
};

/// One kind's built data. Never freed once published.
struct BuiltKind {
  const uint16_t* descriptors = nullptr;  ///< entries back to back, no terminator
  uint32_t wordCount = 0;
  const RoutineAddress* routines = nullptr;  ///< count + 1 elements, last null
  uint32_t count = 0;
};

/// Descriptor array of the registry's records of one kind: per record k with
/// n parameters the words B+10k, B+10k, k, flags, n, the n types, then the n
/// title ids (B+10k+1+j for conditions and actions, 0 for expressions).
/// Allocated with exactly the collected number of words (malloc); null when
/// allocation fails.
uint16_t* BuildDescriptorArray(const AceRegistry& registry, AceKind kind, uint32_t* wordCount);
/// Routine table of count + 1 addresses, the last null (malloc).
RoutineAddress* BuildRoutineTable(const AceRegistry& registry, AceKind kind);

/// Bounded lookup in a descriptor array: the start (word 0) of the entry
/// whose word 2 equals code (compared in 16 bits), or null when no entry of
/// the array has it. Never reads past wordCount.
const uint16_t* FindEntry(const uint16_t* descriptors, uint32_t wordCount, uint16_t code);

// --- The module's registry ---------------------------------------------------

/// The module-wide registry; created on first use, before any registration.
AceRegistry& ModuleRegistry();

/// Registers the 103 entries of the table (frame/ace_table.h) in order into
/// ModuleRegistry(), with routines[i] as the routine of table entry i (routines
/// may be null: every routine null). Does nothing when already registered.
void RegisterModuleEntries(const RoutineAddress* routines);

/// Builds a fresh set of descriptor arrays and routine tables from the module
/// registry and publishes it; earlier sets stay valid.
void BuildModuleTables();

/// Read access to the module registry and its published tables.
uint32_t AceCount(AceKind kind);
const AceRecord* AceRecordByCode(AceKind kind, uint32_t code);
const uint16_t* DescriptorArray(AceKind kind);
uint32_t DescriptorWordCount(AceKind kind);
const RoutineAddress* RoutineTable(AceKind kind);
/// Start of the published entry with this code, or null.
const uint16_t* FindDescriptorEntry(AceKind kind, uint16_t code);

}  // namespace zu
