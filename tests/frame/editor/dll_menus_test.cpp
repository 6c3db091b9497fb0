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
#include <string>
#include <vector>

namespace {

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

const std::vector<std::string> kConditionMenu = {
    "26000 Sound added",
    "26010 Sound generated",
    "26060 Sound looped",
    "26050 Sound played",
    "----",
    "26020 Is sound playing?",
    "26030 Is sound paused?",
    "26040 Does sound exist?",
};

const std::vector<std::string> kActionMenu = {
    "Manager:",
    "  25190 Add from file",
    "  25210 Add from memory",
    "  25020 Add generated sound",
    "  ----",
    "  25170 Delete",
    "  ----",
    "  25530 Save to file",
    "Playback:",
    "  25010 Play",
    "  25000 Play and loop",
    "  With parameters:",
    "    25540 Play",
    "    25570 Play and loop",
    "  ----",
    "  25230 Resume",
    "  25220 Pause",
    "  ----",
    "  25240 Stop",
    "  ----",
    "  25270 Set volume",
    "  25280 Set pan",
    "  25250 Set position",
    "  25260 Set frequency",
    "Generator:",
    "  Variables:",
    "    25500 Sound volume",
    "    25140 Wave type",
    "    Timing:",
    "      25150 Attack time",
    "      25290 Sustain time",
    "      25300 Sustain punch",
    "      25310 Decay time",
    "    Frequency:",
    "      25320 Start frequency",
    "      25330 Minimum frequency",
    "      ----",
    "      25340 Slide",
    "      25350 Delta slide",
    "      ----",
    "      25360 Vibrato depth",
    "      25370 Vibrato speed",
    "      ----",
    "      25380 Change amount",
    "      25390 Change speed",
    "    Square wave:",
    "      25400 Square duty",
    "      25410 Duty sweep",
    "    25420 Repeat speed",
    "    Phaser:",
    "      25430 Offset",
    "      25440 Sweep",
    "    Low pass filter:",
    "      25450 Cutoff",
    "      25460 Cutoff sweep",
    "      25470 Resonance",
    "    High pass filter:",
    "      25480 Cutoff",
    "      25490 Cutoff sweep",
    "    ----",
    "    25550 Set by index",
    "    25560 Load CSV string",
    "    ----",
    "    25510 Load SFX sample",
    "    25520 Save SFX sample",
    "  Presets:",
    "    25040 Pickup/coin",
    "    25050 Laser/shoot",
    "    25060 Explosion",
    "    25070 Powerup",
    "    25080 Hit/hurt",
    "    25090 Jump",
    "    25100 Blip/select",
    "    ----",
    "    25120 By index",
    "  ----",
    "  25110 Mutate",
    "  25030 Randomize",
    "  25130 Reset",
    "  25180 Set seed",
    "  ----",
    "  25160 Generate",
    "----",
};

const std::vector<std::string> kExpressionMenu = {
    "Sounds:",
    "  Added:",
    "    27000 Index",
    "  Played/looped:",
    "    27310 Index",
    "    27030 Name",
    "    27300 Channel",
    "  ----",
    "  27360 Memory address",
    "  27370 Memory size",
    "  27340 Original frequency",
    "  ----",
    "  27010 Name from index",
    "  27020 Index from name",
    "  ----",
    "  27350 Count",
    "Generator:",
    "  Variables:",
    "    27050 Sound volume",
    "    27040 Wave type",
    "    Timing:",
    "      27060 Attack time",
    "      27070 Sustain time",
    "      27080 Sustain punch",
    "      27090 Decay time",
    "    Frequency:",
    "      27100 Start frequency",
    "      27130 Minimum frequency",
    "      ----",
    "      27140 Slide",
    "      27150 Delta slide",
    "      ----",
    "      27180 Vibrato depth",
    "      27190 Vibrato speed",
    "      ----",
    "      27200 Change amount",
    "      27210 Change speed",
    "    Square wave:",
    "      27160 Square duty",
    "      27170 Duty sweep",
    "    27220 Repeat speed",
    "    Phaser:",
    "      27230 Offset",
    "      27240 Sweep",
    "    Low pass filter:",
    "      27250 Cutoff",
    "      27260 Cutoff sweep",
    "      27270 Resonance",
    "    High pass filter:",
    "      27280 Cutoff",
    "      27290 Cutoff sweep",
    "    ----",
    "    27320 By index",
    "    27330 CSV string",
    "  ----",
    "  27110 Generated data",
    "  27120 Generated length",
    "----",
};

void ExpectMenu(const char* exportName, const std::vector<std::string>& expected) {
  MenuFn get = Export<MenuFn>(exportName);
  ASSERT_NE(get, nullptr);
  HMENU first = get(nullptr, nullptr, nullptr);
  HMENU second = get(nullptr, nullptr, nullptr);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_EQ(DumpMenu(first), expected) << exportName;
  EXPECT_EQ(DumpMenu(second), expected) << exportName;
  EXPECT_TRUE(DestroyMenu(first));
  EXPECT_TRUE(DestroyMenu(second));
}

TEST_F(EditorDllTest, MenusItemByItem) {
  ExpectMenu("GetConditionMenu", kConditionMenu);
  ExpectMenu("GetActionMenu", kActionMenu);
  ExpectMenu("GetExpressionMenu", kExpressionMenu);
}

// Every item id of a menu maps back to the code its id names.
void ExpectItemsMapToCodes(const std::vector<std::string>& menu, const char* exportName, int base) {
  CodeFn code = Export<CodeFn>(exportName);
  ASSERT_NE(code, nullptr);
  for (const std::string& line : menu) {
    const int id = std::atoi(line.c_str() + line.find_first_not_of(' '));
    if (id == 0) continue;  // popup or separator
    EXPECT_EQ(code(nullptr, id), (id - base) / 10) << line;
  }
}

TEST_F(EditorDllTest, CodesFromMenuItems) {
  ExpectItemsMapToCodes(kConditionMenu, "GetConditionCodeFromMenu", 26000);
  ExpectItemsMapToCodes(kActionMenu, "GetActionCodeFromMenu", 25000);
  ExpectItemsMapToCodes(kExpressionMenu, "GetExpressionCodeFromMenu", 27000);

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

struct Entry {
  const char* text;
  std::vector<const char*> titles;
};

const Entry kConditions[] = {
    {"%o : Sound added", {}},
    {"%o : Sound generated", {}},
    {"%o : Sound %0 is playing", {"Sound name"}},
    {"%o : Sound %0 is paused", {"Sound name"}},
    {"%o : Sound %0 exists", {"Sound name"}},
    {"%o : Sound played", {}},
    {"%o : Sound looped", {}},
};
const Entry kActions[] = {
    {"Play sound %0 on channel %1, %2 times",
     {"Sound name", "Channel index (1-32, 0: Free channel)", "Repeat count (0: Infinite)"}},
    {"Play sound %0 on channel %1", {"Sound name", "Channel index (1-32, 0: Free channel)"}},
    {"Add generated sound as %0", {"Sound name"}},
    {"Randomize sound", {}},
    {"Create pickup/coin", {}},
    {"Create laser/shoot", {}},
    {"Create explosion", {}},
    {"Create powerup", {}},
    {"Create hit/hurt", {}},
    {"Create jump", {}},
    {"Create blip/select", {}},
    {"Mutate sound", {}},
    {"Load preset %0",
     {"Sound effect (0: Coin, 1: Laser, 2: Explosion, 3: Powerup, 4: Hurt, 5: Jump, 6: Blip)"}},
    {"Reset generator", {}},
    {"Set wave type to %0", {"Wave type (0: Square wave, 1: Sawtooth, 2: Sine, 3: Noise)"}},
    {"Set attack time to %0", {"Attack time"}},
    {"Generate sound", {}},
    {"Delete sound %0", {"Sound name"}},
    {"Set random seed to %0", {"Seed (0: Current time)"}},
    {"Add sound %0 from file %1", {"Sound name", "File (*.wav,*.ogg,*.mod,*.aif)"}},
    {"Delete sound with index %0", {"Sound index"}},
    {"Add sound %0 from memory address %1 with size %2",
     {"Sound name", "Memory address", "File size (bytes)"}},
    {"Pause sound %0", {"Sound name"}},
    {"Resume sound %0", {"Sound name"}},
    {"Stop sound %0", {"Sound name"}},
    {"Set position of sound %0 to %1", {"Sound name", "Position (ms)"}},
    {"Set frequency of sound %0 to %1", {"Sound name", "Frequency (Hz, 0: Original)"}},
    {"Set volume of sound %0 to %1", {"Sound name", "Volume (0-100)"}},
    {"Set pan of sound %0 to %1", {"Sound name", "Pan (-100: Left, 0: Center, 100: Right)"}},
    {"Set sustain time to %0", {"Sustain time"}},
    {"Set sustain punch to %0", {"Sustain punch"}},
    {"Set decay time to %0", {"Decay time"}},
    {"Set start frequency to %0", {"Start frequency"}},
    {"Set minimum frequency to %0", {"Minimum frequency"}},
    {"Set slide to %0", {"Slide"}},
    {"Set delta slide to %0", {"Delta slide"}},
    {"Set vibrato depth to %0", {"Vibrato depth"}},
    {"Set vibrato speed to %0", {"Vibrato Speed"}},
    {"Set change amount to %0", {"Change amount"}},
    {"Set change speed to %0", {"Change speed"}},
    {"Set square duty to %0", {"Square duty"}},
    {"Set square duty sweep to %0", {"Square duty sweep"}},
    {"Set repeat speed to %0", {"Repeat speed"}},
    {"Set phaser offset to %0", {"Phaser offset"}},
    {"Set phaser sweep to %0", {"Phaser sweep"}},
    {"Set LP filter cutoff to %0", {"Low pass filter cutoff"}},
    {"Set LP filter cutoff sweep to %0", {"Low pass filter cutoff sweep"}},
    {"Set LP filter resonance to %0", {"Low pass filter resonance"}},
    {"Set HP filter cutoff to %0", {"High pass filter cutoff"}},
    {"Set HP filter cutoff sweep to %0", {"High pass filter cutoff sweep"}},
    {"Set sound volume to %0", {"Sound volume"}},
    {"Load SFX sample file %0", {"SFX sample file (*.sfs)"}},
    {"Save SFX sample file %0", {"SFX sample file (*.sfs)"}},
    {"Save sound %0 to file %1", {"Sound name", "File name"}},
    {"Play sound %0 with (volume %2, pan %3, position %4, frequency %5) on channel %1",
     {"Sound name", "Channel index (1-32, 0: Free channel)", "Volume (0-100)",
      "Pan (-100: Left, 0: Center, 100: Right)", "Position (ms)", "Frequency (Hz, 0: Original)"}},
    {"Set variable with index %0 to %1", {"Index (0-23)", "Value"}},
    {"Load variables from CSV string %0", {"CSV string"}},
    {"Play sound %0 with (volume %2, pan %3, position %4, frequency %5) on channel %1, %6 times",
     {"Sound name", "Channel index (1-32, 0: Free channel)", "Volume (0-100)",
      "Pan (-100: Left, 0: Center, 100: Right)", "Position (ms)", "Frequency (Hz, 0: Original)",
      "Repeat count (0: Infinite)"}},
};
const Entry kExpressions[] = {
    {"NewestSound(", {}},
    {"SoundName$(", {"Sound index (0-based)"}},
    {"SoundIndex(", {"Sound name"}},
    {"PlayedSound$(", {}},
    {"WaveType(", {}},
    {"SoundVolume(", {}},
    {"AttackTime(", {}},
    {"SustainTime(", {}},
    {"SustainPunch(", {}},
    {"DecayTime(", {}},
    {"StartFreq(", {}},
    {"GenWave(", {"Offset"}},
    {"GenLength(", {}},
    {"MinFreq(", {}},
    {"Slide(", {}},
    {"DeltaSlide(", {}},
    {"SquareDuty(", {}},
    {"DutySweep(", {}},
    {"VibDepth(", {}},
    {"VibSpeed(", {}},
    {"ChangeAmount(", {}},
    {"ChangeSpeed(", {}},
    {"RepeatSpeed(", {}},
    {"PhaserOffset(", {}},
    {"PhaserSweep(", {}},
    {"LPCutoff(", {}},
    {"LPCutoffSweep(", {}},
    {"LPResonance(", {}},
    {"HPCutoff(", {}},
    {"HPCutoffSweep(", {}},
    {"PlayedChannel(", {}},
    {"PlayedSound(", {}},
    {"Variable(", {"Index (0-23)"}},
    {"CSV$(", {}},
    {"SoundOriginalFreq(", {"Sound name"}},
    {"CountSounds(", {}},
    {"SoundAddress(", {"Sound name"}},
    {"SoundSize(", {"Sound name"}},
};

using StringFn = void(WINAPI*)(void*, int32_t, char*, uint32_t);
using TitleFn = void(WINAPI*)(void*, int32_t, int32_t, char*, uint32_t);

constexpr uint32_t kHostSize = 255;

std::string Fill(char* buffer, size_t size) {
  std::memset(buffer, '#', size);
  buffer[size - 1] = '\0';
  return std::string(buffer);
}

template <size_t N>
void ExpectStrings(const char* exportName, const Entry (&table)[N]) {
  StringFn get = Export<StringFn>(exportName);
  ASSERT_NE(get, nullptr);
  char buffer[kHostSize + 1];
  for (size_t code = 0; code < N; ++code) {
    Fill(buffer, sizeof(buffer));
    get(nullptr, static_cast<int32_t>(code), buffer, kHostSize);
    EXPECT_STREQ(buffer, table[code].text) << exportName << " " << code;
  }
  for (int32_t code : {static_cast<int32_t>(N), -1, 1000, INT32_MIN}) {
    const std::string before = Fill(buffer, sizeof(buffer));
    get(nullptr, code, buffer, kHostSize);
    EXPECT_EQ(before, buffer) << exportName << " " << code;
  }
}

TEST_F(EditorDllTest, DisplayStringsOfEveryCode) {
  ExpectStrings("GetConditionString", kConditions);
  ExpectStrings("GetActionString", kActions);
  ExpectStrings("GetExpressionString", kExpressions);
}

template <size_t N>
void ExpectTitles(const char* exportName, const Entry (&table)[N]) {
  TitleFn get = Export<TitleFn>(exportName);
  ASSERT_NE(get, nullptr);
  char buffer[kHostSize + 1];
  for (size_t code = 0; code < N; ++code) {
    const int32_t count = static_cast<int32_t>(table[code].titles.size());
    for (int32_t param = 0; param < count; ++param) {
      Fill(buffer, sizeof(buffer));
      get(nullptr, static_cast<int32_t>(code), param, buffer, kHostSize);
      EXPECT_STREQ(buffer, table[code].titles[param]) << exportName << " " << code << "/" << param;
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
  ExpectTitles("GetConditionTitle", kConditions);
  ExpectTitles("GetActionTitle", kActions);

  TitleFn param = Export<TitleFn>("GetExpressionParam");
  ASSERT_NE(param, nullptr);
  char buffer[kHostSize + 1];
  for (size_t code = 0; code < sizeof(kExpressions) / sizeof(kExpressions[0]); ++code) {
    for (size_t p = 0; p < kExpressions[code].titles.size(); ++p) {
      Fill(buffer, sizeof(buffer));
      param(nullptr, static_cast<int32_t>(code), static_cast<int32_t>(p), buffer, kHostSize);
      EXPECT_STREQ(buffer, kExpressions[code].titles[p]) << code << "/" << p;
    }
  }
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
  EXPECT_STREQ(buffer, kActions[57].text);
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
  EXPECT_STREQ(buffer, kActions[12].titles[0]);
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
