// Registration of the entries and building of the descriptor arrays and
// routine tables that the host reads.
#include "frame/registry.h"

#include "frame/ace_table.h"

namespace zu {

AceRecord::AceRecord(AceRegistry& registry, AceKind kind, RoutineAddress routine, uint16_t flags,
                     const char* text, ParamList& params)
    : displayText(text), flags(flags) {
  paramTypes.CopyFrom(params.paramTypes, params.paramTypes.count() + 1);
  paramTitles.CopyFrom(params.paramTitles, params.paramTitles.count() + 1);
  switch (kind) {
    case AceKind::kCondition:
      conditionRoutine = routine;
      break;
    case AceKind::kAction:
      actionRoutine = routine;
      break;
    case AceKind::kExpression:
      expressionRoutine = routine;
      break;
  }
  registry.Add(kind, this);
  params.paramTypes.Release();
  params.paramTitles.Release();
}

AceRecord::~AceRecord() {
  paramTitles.Release();
  paramTypes.Release();
}

uint16_t* BuildDescriptorArray(const AceRegistry& registry, AceKind kind, uint32_t* wordCount) {
  GrowList<uint16_t> words;
  const uint32_t count = registry.Count(kind);
  for (uint32_t k = 0; k < count; ++k) {
    const AceRecord* record = registry.Record(kind, k);
    const uint16_t id = MenuIdOf(kind, k);
    const uint32_t n = record->ParamCount();
    words.Append(id);
    words.Append(id);
    words.Append(static_cast<uint16_t>(k));
    words.Append(record->flags);
    words.Append(static_cast<uint16_t>(n));
    for (uint32_t j = 0; j < n; ++j) words.Append(record->ParamType(j));
    for (uint32_t j = 0; j < n; ++j) {
      words.Append(kind == AceKind::kExpression ? uint16_t{0} : static_cast<uint16_t>(id + 1 + j));
    }
  }
  uint16_t* array = static_cast<uint16_t*>(std::malloc(sizeof(uint16_t) * (words.count() + 1)));
  if (array == nullptr) {
    if (wordCount) *wordCount = 0;
    return nullptr;
  }
  if (words.count() != 0) std::memcpy(array, words.data(), sizeof(uint16_t) * words.count());
  if (wordCount) *wordCount = words.count();
  return array;
}

RoutineAddress* BuildRoutineTable(const AceRegistry& registry, AceKind kind) {
  const uint32_t count = registry.Count(kind);
  RoutineAddress* table =
      static_cast<RoutineAddress*>(std::malloc(sizeof(RoutineAddress) * (count + 1)));
  if (table == nullptr) return nullptr;
  for (uint32_t k = 0; k < count; ++k) table[k] = registry.Record(kind, k)->Routine();
  table[count] = nullptr;
  return table;
}

const uint16_t* FindEntry(const uint16_t* descriptors, uint32_t wordCount, uint16_t code) {
  if (descriptors == nullptr) return nullptr;
  uint32_t at = 0;
  // An entry needs its five fixed words; the parameter words must fit too.
  while (at + 5 <= wordCount) {
    const uint16_t* entry = descriptors + at;
    const int16_t n = static_cast<int16_t>(entry[4]);
    if (n < 0) return nullptr;
    const uint32_t size = 5 + 2 * static_cast<uint32_t>(n);
    if (at + size > wordCount) return nullptr;
    if (entry[2] == code) return entry;
    at += size;
  }
  return nullptr;
}

// --- The module's registry ---------------------------------------------------

AceRegistry& ModuleRegistry() {
  static AceRegistry registry;
  return registry;
}

namespace {

// The module's records, constructed in table order on registration and
// destroyed in reverse order at unload; the registry (a function-local static
// created before the first record) outlives them.
class ModuleRecords {
 public:
  ~ModuleRecords() {
    for (int i = constructed_ - 1; i >= 0; --i) Slot(i)->~AceRecord();
  }
  bool registered() const { return constructed_ != 0; }
  void Register(AceRegistry& registry, const RoutineAddress* routines) {
    for (int i = 0; i < kAceEntryCount; ++i) {
      const AceEntryDesc& desc = kAceTable[i];
      ParamList params;
      for (int j = 0; j < desc.paramCount; ++j)
        params.Add(desc.params[j].type, desc.params[j].title);
      new (storage_ + i * sizeof(AceRecord))
          AceRecord(registry, desc.kind, routines ? routines[i] : nullptr, desc.flags,
                    desc.displayText, params);
      constructed_ = i + 1;
    }
  }

 private:
  AceRecord* Slot(int i) { return reinterpret_cast<AceRecord*>(storage_ + i * sizeof(AceRecord)); }

  alignas(AceRecord) unsigned char storage_[kAceEntryCount * sizeof(AceRecord)];
  int constructed_ = 0;
};

ModuleRecords& Records() {
  static ModuleRecords records;
  return records;
}

BuiltKind g_built[kAceKindCount];

// Every set ever published stays reachable from here: the host may still hold
// the addresses of an earlier set, so none is ever released.
struct PublishedSet {
  const void* blocks[2 * kAceKindCount];
  PublishedSet* previous;
};
PublishedSet* g_published = nullptr;

void KeepReachable(const void* descriptors, const void* routines, int kind) {
  if (g_published == nullptr || g_published->blocks[2 * kind] != nullptr) {
    PublishedSet* set = static_cast<PublishedSet*>(std::calloc(1, sizeof(PublishedSet)));
    if (set == nullptr) return;
    set->previous = g_published;
    g_published = set;
  }
  g_published->blocks[2 * kind] = descriptors;
  g_published->blocks[2 * kind + 1] = routines;
}

}  // namespace

void RegisterModuleEntries(const RoutineAddress* routines) {
  AceRegistry& registry = ModuleRegistry();  // created before the records
  ModuleRecords& records = Records();
  if (records.registered()) return;
  records.Register(registry, routines);
}

void BuildModuleTables() {
  const AceRegistry& registry = ModuleRegistry();
  for (int i = 0; i < kAceKindCount; ++i) {
    const AceKind kind = static_cast<AceKind>(i);
    BuiltKind fresh;
    uint16_t* descriptors = BuildDescriptorArray(registry, kind, &fresh.wordCount);
    RoutineAddress* routines = BuildRoutineTable(registry, kind);
    if (descriptors == nullptr || routines == nullptr) {
      // Keep the previous set rather than publish a broken one.
      std::free(descriptors);
      std::free(routines);
      continue;
    }
    KeepReachable(descriptors, routines, i);
    fresh.descriptors = descriptors;
    fresh.routines = routines;
    fresh.count = registry.Count(kind);
    g_built[i] = fresh;
  }
}

uint32_t AceCount(AceKind kind) { return ModuleRegistry().Count(kind); }

const AceRecord* AceRecordByCode(AceKind kind, uint32_t code) {
  return ModuleRegistry().Record(kind, code);
}

const uint16_t* DescriptorArray(AceKind kind) {
  return g_built[static_cast<int>(kind)].descriptors;
}

uint32_t DescriptorWordCount(AceKind kind) { return g_built[static_cast<int>(kind)].wordCount; }

const RoutineAddress* RoutineTable(AceKind kind) {
  return g_built[static_cast<int>(kind)].routines;
}

const uint16_t* FindDescriptorEntry(AceKind kind, uint16_t code) {
  const BuiltKind& built = g_built[static_cast<int>(kind)];
  return FindEntry(built.descriptors, built.wordCount, code);
}

}  // namespace zu
