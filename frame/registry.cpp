// The descriptor arrays and routine tables the host reads, built once.
#include "frame/registry.h"

#include <cstdlib>
#include <cstring>

#include "frame/ace_table.h"

namespace zu {

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

namespace {

struct BuiltKind {
  uint16_t* descriptors = nullptr;
  RoutineAddress* routines = nullptr;
};

BuiltKind g_built[kAceKindCount];

bool BuildKind(AceKind kind, const RoutineAddress* routines, BuiltKind* built) {
  const uint32_t words = DescriptorWordCountOf(kind);
  const uint32_t count = AceCountOf(kind);
  auto* descriptors = static_cast<uint16_t*>(std::malloc(sizeof(uint16_t) * words));
  auto* table = static_cast<RoutineAddress*>(std::malloc(sizeof(RoutineAddress) * (count + 1)));
  if (descriptors == nullptr || table == nullptr) {
    std::free(descriptors);
    std::free(table);
    return false;
  }
  std::memcpy(descriptors, DescriptorWordsOf(kind), sizeof(uint16_t) * words);
  const uint32_t first = AceFirstIndexOf(kind);
  for (uint32_t k = 0; k < count; ++k) table[k] = routines ? routines[first + k] : nullptr;
  table[count] = nullptr;
  built->descriptors = descriptors;
  built->routines = table;
  return true;
}

}  // namespace

bool BuildModuleTables(const RoutineAddress* routines) {
  bool complete = true;
  for (int i = 0; i < kAceKindCount; ++i) {
    if (g_built[i].descriptors != nullptr) continue;
    complete = BuildKind(static_cast<AceKind>(i), routines, &g_built[i]) && complete;
  }
  return complete;
}

void ReleaseModuleTables() {
  for (BuiltKind& built : g_built) {
    std::free(built.descriptors);
    std::free(built.routines);
    built = BuiltKind{};
  }
}

const uint16_t* DescriptorArray(AceKind kind) {
  return g_built[static_cast<int>(kind)].descriptors;
}

const RoutineAddress* RoutineTable(AceKind kind) {
  return g_built[static_cast<int>(kind)].routines;
}

const uint16_t* FindDescriptorEntry(AceKind kind, uint16_t code) {
  return FindEntry(DescriptorArray(kind), DescriptorWordCountOf(kind), code);
}

}  // namespace zu
