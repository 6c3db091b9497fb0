// The editor face of the built module, loaded with LoadLibrary as the host's
// editor loads it: menus, display strings and titles, edit data, properties
// and value objects, object information, argument counts of every entry, and
// the resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "frame/ace_table.h"

namespace {

using zu::AceKind;

HMODULE Module() {
  static HMODULE module = LoadLibraryA("ZiderUzazir.dll");
  return module;
}

template <typename F>
F Export(const char* name) {
  FARPROC proc = GetProcAddress(Module(), name);
  EXPECT_NE(proc, nullptr) << name;
  return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}

class EditorDllTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Module(), nullptr) << "ZiderUzazir.dll did not load"; }
};

// --- Menus --------------------------------------------------------------------

using MenuFn = HMENU(WINAPI*)(void*, void*, void*);
using CodeFn = int32_t(WINAPI*)(void*, int32_t);

// One line per item: "Name:" for a popup (its items follow, indented by two
// more spaces), "id text" for a command, "----" for a separator. Every item
// but the separators must be enabled.
void Dump(HMENU menu, const std::string& indent, std::vector<std::string>* out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[128] = {};
    GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    if (!(state & MF_SEPARATOR)) {
      EXPECT_EQ(state & (MF_GRAYED | MF_DISABLED), 0u) << text;
    }
    if (sub != nullptr) {
      out->push_back(indent + text + ":");
      Dump(sub, indent + "  ", out);
    } else if (state & MF_SEPARATOR) {
      out->push_back(indent + "----");
    } else {
      out->push_back(indent + std::to_string(GetMenuItemID(menu, i)) + " " + text);
    }
  }
}

std::vector<std::string> DumpMenu(HMENU menu) {
  std::vector<std::string> lines;
  Dump(menu, "", &lines);
  return lines;
}

// Every command item of a menu: its id selects an entry of the kind through
// the code export, and its text is that entry's menu item. Every entry whose
// row names an item appears exactly once.
void ExpectItemsSelectTheirEntries(const std::vector<std::string>& menu, const char* codeExport,
                                   AceKind kind) {
  CodeFn code = Export<CodeFn>(codeExport);
  ASSERT_NE(code, nullptr);
  std::map<int, int> seen;  // code -> items
  for (const std::string& line : menu) {
    const size_t start = line.find_first_not_of(' ');
    const int id = std::atoi(line.c_str() + start);
    if (id == 0) continue;  // popup or separator
    const int32_t entryCode = code(nullptr, id);
    ASSERT_GE(entryCode, 0) << line;
    const zu::AceEntryDesc* entry = nullptr;
    for (const zu::AceEntryDesc& e : zu::kAceTable) {
      if (e.kind == kind && e.code == entryCode) entry = &e;
    }
    ASSERT_NE(entry, nullptr) << line;
    EXPECT_EQ(id, zu::MenuIdOf(kind, entryCode)) << line;
    EXPECT_EQ(line.substr(line.find(' ', start) + 1), entry->menuLabel) << line;
    ++seen[entryCode];
  }
  for (const zu::AceEntryDesc& e : zu::kAceTable) {
    if (e.kind != kind) continue;
    EXPECT_EQ(seen[e.code], e.menuLabel[0] != '\0' ? 1 : 0) << e.displayText;
  }
}

// The top level of a menu: popups as "Name:", separators as "----".
std::vector<std::string> TopLevel(const std::vector<std::string>& menu) {
  std::vector<std::string> top;
  for (const std::string& line : menu) {
    if (line[0] != ' ') top.push_back(line);
  }
  return top;
}

std::vector<std::string> BuildTwiceAndDump(const char* exportName) {
  MenuFn get = Export<MenuFn>(exportName);
  if (get == nullptr) return {};
  HMENU first = get(nullptr, nullptr, nullptr);
  HMENU second = get(nullptr, nullptr, nullptr);
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);
  EXPECT_NE(first, second) << exportName;
  const std::vector<std::string> lines = DumpMenu(first);
  EXPECT_EQ(DumpMenu(second), lines) << exportName;
  EXPECT_TRUE(DestroyMenu(first));
  EXPECT_TRUE(DestroyMenu(second));
  return lines;
}

TEST_F(EditorDllTest, MenusCarryEveryEntryOnceUnderItsText) {
  const std::vector<std::string> conditions = BuildTwiceAndDump("GetConditionMenu");
  const std::vector<std::string> actions = BuildTwiceAndDump("GetActionMenu");
  const std::vector<std::string> expressions = BuildTwiceAndDump("GetExpressionMenu");
  ExpectItemsSelectTheirEntries(conditions, "GetConditionCodeFromMenu", AceKind::kCondition);
  ExpectItemsSelectTheirEntries(actions, "GetActionCodeFromMenu", AceKind::kAction);
  ExpectItemsSelectTheirEntries(expressions, "GetExpressionCodeFromMenu", AceKind::kExpression);

  EXPECT_EQ(conditions, (std::vector<std::string>{
                            "26000 Sound added", "26010 Sound generated", "26060 Sound looped",
                            "26050 Sound played", "----", "26020 Is sound playing?",
                            "26030 Is sound paused?", "26040 Does sound exist?"}));
  EXPECT_EQ(TopLevel(actions),
            (std::vector<std::string>{"Manager:", "Playback:", "Generator:", "----"}));
  EXPECT_EQ(TopLevel(expressions), (std::vector<std::string>{"Sounds:", "Generator:", "----"}));
}

TEST_F(EditorDllTest, CodesFromMenuItems) {
  CodeFn condition = Export<CodeFn>("GetConditionCodeFromMenu");
  CodeFn action = Export<CodeFn>("GetActionCodeFromMenu");
  CodeFn expression = Export<CodeFn>("GetExpressionCodeFromMenu");
  EXPECT_EQ(action(nullptr, 25570), 57);
  EXPECT_EQ(action(nullptr, 25200), 20);  // no menu item, but a descriptor entry
  EXPECT_EQ(condition(nullptr, 25000), -1);
  EXPECT_EQ(condition(nullptr, 26070), -1);  // one past the last condition
  EXPECT_EQ(action(nullptr, 25580), -1);
  EXPECT_EQ(action(nullptr, 25571), -1);  // a parameter title id
  EXPECT_EQ(expression(nullptr, 27360), 36);
  EXPECT_EQ(expression(nullptr, 27370), 37);
  EXPECT_EQ(expression(nullptr, 27350), 35);
  EXPECT_EQ(expression(nullptr, 27380), -1);
  EXPECT_EQ(expression(nullptr, 0), -1);
}

// --- Display strings and titles ---------------------------------------------------

// The entries of one kind, from the table the module is built from.
std::vector<const zu::AceEntryDesc*> EntriesOf(AceKind kind) {
  std::vector<const zu::AceEntryDesc*> entries;
  for (const zu::AceEntryDesc& e : zu::kAceTable) {
    if (e.kind == kind) entries.push_back(&e);
  }
  return entries;
}

using StringFn = void(WINAPI*)(void*, int32_t, char*, uint32_t);
using TitleFn = void(WINAPI*)(void*, int32_t, int32_t, char*, uint32_t);

constexpr uint32_t kHostSize = 255;

std::string Fill(char* buffer, size_t size) {
  std::memset(buffer, '#', size);
  buffer[size - 1] = '\0';
  return std::string(buffer);
}

void ExpectStrings(const char* exportName, AceKind kind) {
  StringFn get = Export<StringFn>(exportName);
  ASSERT_NE(get, nullptr);
  char buffer[kHostSize + 1];
  const std::vector<const zu::AceEntryDesc*> table = EntriesOf(kind);
  const size_t N = table.size();
  for (size_t code = 0; code < N; ++code) {
    Fill(buffer, sizeof(buffer));
    get(nullptr, static_cast<int32_t>(code), buffer, kHostSize);
    EXPECT_STREQ(buffer, table[code]->displayText) << exportName << " " << code;
  }
  for (int32_t code : {static_cast<int32_t>(N), -1, 1000, INT32_MIN}) {
    const std::string before = Fill(buffer, sizeof(buffer));
    get(nullptr, code, buffer, kHostSize);
    EXPECT_EQ(before, buffer) << exportName << " " << code;
  }
}

TEST_F(EditorDllTest, DisplayStringsOfEveryCode) {
  ExpectStrings("GetConditionString", AceKind::kCondition);
  ExpectStrings("GetActionString", AceKind::kAction);
  ExpectStrings("GetExpressionString", AceKind::kExpression);

  StringFn action = Export<StringFn>("GetActionString");
  char buffer[kHostSize + 1];
  Fill(buffer, sizeof(buffer));
  action(nullptr, 0, buffer, kHostSize);
  EXPECT_STREQ(buffer, "Play sound %0 on channel %1, %2 times");
}

void ExpectTitles(const char* exportName, AceKind kind) {
  TitleFn get = Export<TitleFn>(exportName);
  ASSERT_NE(get, nullptr);
  char buffer[kHostSize + 1];
  const std::vector<const zu::AceEntryDesc*> table = EntriesOf(kind);
  const size_t N = table.size();
  for (size_t code = 0; code < N; ++code) {
    const int32_t count = table[code]->paramCount;
    for (int32_t param = 0; param < count; ++param) {
      Fill(buffer, sizeof(buffer));
      get(nullptr, static_cast<int32_t>(code), param, buffer, kHostSize);
      EXPECT_STREQ(buffer, table[code]->params[param].title)
          << exportName << " " << code << "/" << param;
    }
    // Parameters that do not exist write nothing.
    for (int32_t param : {count, count + 1, -1}) {
      const std::string before = Fill(buffer, sizeof(buffer));
      get(nullptr, static_cast<int32_t>(code), param, buffer, kHostSize);
      EXPECT_EQ(before, buffer) << exportName << " " << code << "/" << param;
    }
  }
  for (int32_t code : {static_cast<int32_t>(N), -1}) {
    const std::string before = Fill(buffer, sizeof(buffer));
    get(nullptr, code, 0, buffer, kHostSize);
    EXPECT_EQ(before, buffer) << exportName << " " << code;
  }
}

TEST_F(EditorDllTest, TitlesOfEveryParameter) {
  ExpectTitles("GetConditionTitle", AceKind::kCondition);
  ExpectTitles("GetActionTitle", AceKind::kAction);
  TitleFn action = Export<TitleFn>("GetActionTitle");
  char buffer[kHostSize + 1];
  Fill(buffer, sizeof(buffer));
  action(nullptr, 0, 1, buffer, kHostSize);
  EXPECT_STREQ(buffer, "Channel index (1-32, 0: Free channel)");

  TitleFn param = Export<TitleFn>("GetExpressionParam");
  ASSERT_NE(param, nullptr);
  const std::vector<const zu::AceEntryDesc*> expressions = EntriesOf(AceKind::kExpression);
  for (size_t code = 0; code < expressions.size(); ++code) {
    for (int32_t p = 0; p < expressions[code]->paramCount; ++p) {
      Fill(buffer, sizeof(buffer));
      param(nullptr, static_cast<int32_t>(code), p, buffer, kHostSize);
      EXPECT_STREQ(buffer, expressions[code]->params[p].title) << code << "/" << p;
    }
  }
  Fill(buffer, sizeof(buffer));
  param(nullptr, 32, 0, buffer, kHostSize);
  EXPECT_STREQ(buffer, "Index (0-23)");
  for (int32_t code : {0, 38, -1}) {  // no parameter 0, no such expressions
    const std::string before = Fill(buffer, sizeof(buffer));
    param(nullptr, code, 0, buffer, kHostSize);
    EXPECT_EQ(before, buffer) << code;
  }

  // Expression parameters carry no title id: the title comes from a menu
  // resource the module does not have, so nothing is written.
  StringFn title = Export<StringFn>("GetExpressionTitle");
  ASSERT_NE(title, nullptr);
  for (int32_t code = -1; code <= 38; ++code) {
    const std::string before = Fill(buffer, sizeof(buffer));
    title(nullptr, code, buffer, kHostSize);
    EXPECT_EQ(before, buffer) << code;
  }
}

TEST_F(EditorDllTest, CopiesStayWithinTheGivenSize) {
  StringFn string = Export<StringFn>("GetActionString");
  TitleFn title = Export<TitleFn>("GetActionTitle");
  TitleFn param = Export<TitleFn>("GetExpressionParam");
  char buffer[kHostSize + 1];

  Fill(buffer, sizeof(buffer));
  string(nullptr, 57, buffer, 10);
  EXPECT_STREQ(buffer, "Play soun");
  EXPECT_EQ(buffer[10], '#');

  Fill(buffer, sizeof(buffer));
  string(nullptr, 57, buffer, 90);  // the longest text exactly fits
  EXPECT_STREQ(buffer, zu::AceEntry(zu::action::kPlayWithRepeat).displayText);
  EXPECT_EQ(std::strlen(buffer), 89u);

  Fill(buffer, sizeof(buffer));
  string(nullptr, 57, buffer, 1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#');

  std::string before = Fill(buffer, sizeof(buffer));
  string(nullptr, 57, buffer, 0);
  EXPECT_EQ(before, buffer);

  Fill(buffer, sizeof(buffer));
  title(nullptr, 12, 0, buffer, 86);  // the longest title exactly fits
  EXPECT_STREQ(buffer, zu::AceEntry(zu::action::kLoadPreset).params[0].title);
  EXPECT_EQ(std::strlen(buffer), 85u);
  Fill(buffer, sizeof(buffer));
  title(nullptr, 12, 0, buffer, 6);
  EXPECT_STREQ(buffer, "Sound");

  before = Fill(buffer, sizeof(buffer));
  title(nullptr, 0, 1, buffer, 0);
  EXPECT_EQ(before, buffer);

  Fill(buffer, sizeof(buffer));
  param(nullptr, 1, 0, buffer, 6);
  EXPECT_STREQ(buffer, "Sound");
}

}  // namespace
