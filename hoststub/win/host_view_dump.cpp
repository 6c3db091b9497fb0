// zu-host-view: loads ZiderUzazir.dll as the host does and prints everything
// the host reads from it, as text that does not depend on where the module is
// loaded: per kind the descriptor entries (through the Get...Infos exports),
// the routine table's length and which entries share a routine, the
// run-object information record, the editor menus with their ids, and every
// display string and parameter title. Two builds that print the same text
// show the host the same thing.
//
//   zu-host-view [path of ZiderUzazir.dll]
//
// The module's HOSTRT2.dll must sit beside it.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

HMODULE g_module = nullptr;

template <typename F>
F Export(const char* name) {
  FARPROC proc = GetProcAddress(g_module, name);
  if (proc == nullptr) {
    std::printf("missing export %s\n", name);
    return nullptr;
  }
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}

using InfosFn = const uint16_t*(WINAPI*)(void*, int32_t);
using MenuFn = HMENU(WINAPI*)(void*, void*, void*);
using StringFn = void(WINAPI*)(void*, int32_t, char*, uint32_t);
using TitleFn = void(WINAPI*)(void*, int32_t, int32_t, char*, uint32_t);
using ExprTitleFn = void(WINAPI*)(void*, int32_t, char*, uint32_t);

struct Kind {
  const char* name;
  const char* prefix;  // of the export names, e.g. "Condition"
  int count;           // from the run-object information
  const void* const* routines;
};

template <typename F>
F KindExport(const Kind& kind, const char* suffix) {
  char name[64];
  std::snprintf(name, sizeof(name), "Get%s%s", kind.prefix, suffix);
  return Export<F>(name);
}

// Each entry as "code @offset: words", the offset in words from entry 0.
void PrintDescriptors(const Kind& kind) {
  InfosFn infos = KindExport<InfosFn>(kind, "Infos");
  if (infos == nullptr) return;
  const uint16_t* first = infos(nullptr, 0);
  for (int k = 0; k < kind.count; ++k) {
    const uint16_t* entry = infos(nullptr, k);
    if (entry == nullptr || first == nullptr) {
      std::printf("%s %d: none\n", kind.name, k);
      continue;
    }
    const int n = static_cast<int16_t>(entry[2]);
    std::printf("%s %d @%d:", kind.name, k, static_cast<int>(entry - first));
    for (const uint16_t* w = entry - 2; w < entry + 3 + 2 * (n < 0 ? 0 : n); ++w) {
      std::printf(" %u", *w);
    }
    std::printf("\n");
  }
}

// The table's length up to its null element, and for each element the first
// element holding the same routine.
void PrintRoutines(const Kind& kind) {
  int length = 0;
  while (kind.routines != nullptr && kind.routines[length] != nullptr) ++length;
  std::printf("%s routines %d:", kind.name, length);
  for (int k = 0; k < length; ++k) {
    int same = 0;
    while (kind.routines[same] != kind.routines[k]) ++same;
    std::printf(" %d", same);
  }
  std::printf("\n");
}

using CodeFn = int32_t(WINAPI*)(void*, int32_t);

// Each item with its id, text and state, and the code its id selects.
void PrintMenu(HMENU menu, int depth, CodeFn code) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    std::printf("%*s", 2 * depth, "");
    if (sub != nullptr) {
      std::printf("popup \"%s\" state %#x\n", text, state & 0xFF);
      PrintMenu(sub, depth + 1, code);
    } else {
      const UINT id = GetMenuItemID(menu, i);
      std::printf("item %u \"%s\" state %#x code %d\n", id, text, state,
                  code(nullptr, static_cast<int32_t>(id)));
    }
  }
}

void PrintMenuOf(const Kind& kind) {
  MenuFn get = KindExport<MenuFn>(kind, "Menu");
  CodeFn code = KindExport<CodeFn>(kind, "CodeFromMenu");
  if (get == nullptr || code == nullptr) return;
  HMENU menu = get(nullptr, nullptr, nullptr);
  std::printf("%s menu:\n", kind.name);
  if (menu != nullptr) PrintMenu(menu, 1, code);
  DestroyMenu(menu);
}

// Display strings and parameter titles of every code; a parameter beyond the
// entry's count prints what the module leaves in the buffer.
void PrintTexts(const Kind& kind, bool expression) {
  StringFn text = KindExport<StringFn>(kind, "String");
  InfosFn infos = KindExport<InfosFn>(kind, "Infos");
  if (text == nullptr || infos == nullptr) return;
  for (int k = 0; k < kind.count; ++k) {
    char buffer[512] = "-";
    text(nullptr, k, buffer, sizeof(buffer));
    std::printf("%s %d text \"%s\"\n", kind.name, k, buffer);
    const uint16_t* entry = infos(nullptr, k);
    const int n = entry != nullptr ? static_cast<int16_t>(entry[2]) : 0;
    for (int j = 0; j < n; ++j) {
      char title[512] = "-";
      if (expression) {
        Export<TitleFn>("GetExpressionParam")(nullptr, k, j, title, sizeof(title));
      } else {
        KindExport<TitleFn>(kind, "Title")(nullptr, k, j, title, sizeof(title));
      }
      std::printf("%s %d param %d \"%s\"\n", kind.name, k, j, title);
    }
    if (expression) {
      char title[512] = "-";
      Export<ExprTitleFn>("GetExpressionTitle")(nullptr, k, title, sizeof(title));
      std::printf("%s %d title \"%s\"\n", kind.name, k, title);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "ZiderUzazir.dll";
  g_module = LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (g_module == nullptr) {
    std::fprintf(stderr, "zu-host-view: cannot load %s (error %lu)\n", path, GetLastError());
    return 1;
  }
  auto getInfos = Export<int32_t(WINAPI*)(void*, void*)>("GetRunObjectInfos");
  if (getInfos == nullptr) return 1;
  uint8_t record[36];
  std::memset(record, 0xCD, sizeof(record));
  const int32_t result = getInfos(nullptr, record);
  std::printf("run-object infos result %d, bytes 12-35:", result);
  for (int i = 12; i < 36; ++i) std::printf(" %02x", record[i]);
  std::printf("\n");

  const void* const* tables[3];
  std::memcpy(tables, record, sizeof(tables));
  uint16_t counts[3];
  std::memcpy(counts, record + 12, sizeof(counts));
  const Kind kinds[3] = {{"condition", "Condition", counts[0], tables[0]},
                         {"action", "Action", counts[1], tables[1]},
                         {"expression", "Expression", counts[2], tables[2]}};
  for (const Kind& kind : kinds) {
    PrintRoutines(kind);
    PrintDescriptors(kind);
  }
  for (const Kind& kind : kinds) PrintMenuOf(kind);
  for (int i = 0; i < 3; ++i) PrintTexts(kinds[i], i == 2);
  return 0;
}
