// The module end to end: loaded with LoadLibrary beside the stand-in host
// runtime library, driven through its exports and routine tables the way the
// host drives it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "hoststub/win/host_harness.h"
#include "hoststub/win/hostsim_control.h"
#include "tests/frame/runtime/expected_entries.h"

namespace zu {
namespace {

// Codes used below.
enum Action {
  kPlayRepeat = 0,
  kPlay = 1,
  kAddGenerated = 2,
  kRandomize = 3,
  kCreateExplosion = 6,
  kCreateBlip = 10,
  kMutate = 11,
  kLoadPresetAction = 12,
  kReset = 13,
  kSetWaveType = 14,
  kSetAttack = 15,
  kGenerate = 16,
  kDeleteSound = 17,
  kSeed = 18,
  kAddFromFile = 19,
  kDeleteByIndex = 20,
  kAddFromMemory = 21,
  kStop = 24,
  kSetPosition = 25,
  kSetVolume = 27,
  kSetSoundVolume = 50,
  kLoadSfs = 51,
  kSaveSfs = 52,
  kSaveSound = 53,
  kPlayWith = 54,
  kSetByIndex = 55,
  kLoadCsv = 56,
  kPlayWithRepeat = 57
};
enum Expression {
  kNewestSound = 0,
  kSoundName = 1,
  kSoundIndex = 2,
  kPlayedSoundName = 3,
  kWaveType = 4,
  kSoundVolume = 5,
  kAttackTime = 6,
  kStartFreq = 10,
  kGenWave = 11,
  kGenLength = 12,
  kDeltaSlide = 15,
  kHpCutoff = 28,
  kPlayedChannel = 30,
  kPlayedSound = 31,
  kVariable = 32,
  kCsv = 33,
  kOriginalFreq = 34,
  kCountSounds = 35,
  kSoundAddress = 36,
  kSoundSize = 37
};
enum Condition { kIsPlaying = 2, kIsPaused = 3, kExists = 4 };

// The getter expression of each float variable, index by variable.
const int kGetterOf[24] = {5,  4,  6,  7,  8,  9,  10, 13, 14, 15, 18, 19,
                           20, 21, 16, 17, 22, 23, 24, 25, 26, 27, 28, 29};

struct LoggedCall {
  std::string op;
  std::vector<int64_t> args;
  std::string text;
};

std::vector<LoggedCall> HostCalls() {
  std::vector<LoggedCall> calls;
  for (uint32_t i = 0; i < HsimCallCount(); ++i) {
    char op[64], text[256];
    int64_t args[8];
    const int32_t n = HsimCall(i, op, sizeof(op), args, 8, text, sizeof(text));
    calls.push_back({op, std::vector<int64_t>(args, args + (n < 8 ? n : 8)), text});
  }
  return calls;
}

std::vector<std::string> HostOps() {
  std::vector<std::string> ops;
  for (const LoggedCall& c : HostCalls()) ops.push_back(c.op);
  return ops;
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
  }
  return bytes;
}

uint32_t Word(const uint8_t* at) {
  uint32_t v;
  std::memcpy(&v, at, 4);
  return v;
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HsimReset();
    ASSERT_TRUE(host.Load()) << "ZiderUzazir.dll must sit beside the test";
  }
  // Params of a generator built after srand(seed), as an object created
  // without reseeding would hold them after `op`.
  template <typename Op>
  static GeneratorParams Expected(uint32_t seed, Op op) {
    SeedRand(seed);
    SoundGenerator generator;
    op(generator);
    return generator.params;
  }
  void ExpectParams(RunData* rd, const GeneratorParams& p) {
    EXPECT_EQ(host.Expression(rd, kWaveType), p.waveType);
    for (int i = 0; i < 24; ++i) {
      if (i == 1) continue;
      float expected;
      std::memcpy(&expected, reinterpret_cast<const uint8_t*>(&p) + 4 * (i + 2), 4);
      EXPECT_EQ(host.ExpressionFloat(rd, kGetterOf[i]), expected) << "variable " << i;
    }
  }
  HostHarness host;
};

// --- Registry as the host reads it -------------------------------------------------

TEST_F(ModuleTest, RunObjectInfosAndRoutineTables) {
  const HarnessInfos& infos = host.infos();
  EXPECT_EQ(infos.conditionCount, 7);
  EXPECT_EQ(infos.actionCount, 58);
  EXPECT_EQ(infos.expressionCount, 38);
  EXPECT_EQ(infos.editDataSize, 28);
  EXPECT_EQ(infos.version, 2);
  EXPECT_EQ(Word(infos.raw + 20), 0u);
  EXPECT_EQ(infos.raw[24], 100);
  EXPECT_EQ(infos.raw[25], 0xCD) << "byte 25 is the host's";
  EXPECT_EQ(infos.raw[26] | infos.raw[27], 0);
  EXPECT_EQ(std::memcmp(infos.raw + 28, "KWRB", 4), 0);

  EXPECT_EQ(infos.conditionTable[7], nullptr);
  EXPECT_EQ(infos.actionTable[58], nullptr);
  EXPECT_EQ(infos.expressionTable[38], nullptr);
  for (int k = 0; k < 7; ++k) EXPECT_NE(infos.conditionTable[k], nullptr);
  for (int k = 0; k < 58; ++k) EXPECT_NE(infos.actionTable[k], nullptr);
  for (int k = 0; k < 38; ++k) EXPECT_NE(infos.expressionTable[k], nullptr);
  // The four raised events share one routine that is always true.
  EXPECT_EQ(infos.conditionTable[0], infos.conditionTable[1]);
  EXPECT_EQ(infos.conditionTable[0], infos.conditionTable[5]);
  EXPECT_EQ(infos.conditionTable[0], infos.conditionTable[6]);
  RunData* rd = host.Create();
  EXPECT_EQ(host.Condition(rd, 6), 1);
  EXPECT_EQ(host.Condition(rd, 0), 1);

  auto dataSize = reinterpret_cast<uint32_t(__stdcall*)(void*, void*)>(
      reinterpret_cast<void (*)()>(host.Export("GetRunObjectDataSize")));
  EXPECT_EQ(dataSize(nullptr, nullptr), 616u);
}

using InfosFn = const uint16_t*(__stdcall*)(void*, int32_t);

std::vector<uint16_t> WalkDescriptors(InfosFn fn, int count) {
  // Entries are back to back: each one starts where the previous one ended.
  std::vector<uint16_t> words;
  const uint16_t* expectedStart = fn(nullptr, 0) - 2;
  for (int k = 0; k < count; ++k) {
    const uint16_t* entry = fn(nullptr, k);
    if (entry == nullptr || entry - 2 != expectedStart) return {};
    const int n = static_cast<int16_t>(entry[2]);
    words.insert(words.end(), entry - 2, entry + 3 + 2 * n);
    expectedStart = entry + 3 + 2 * n;
  }
  return words;
}

TEST_F(ModuleTest, EveryDescriptorEntryThroughTheInfoExports) {
  auto conditions =
      reinterpret_cast<InfosFn>(reinterpret_cast<void (*)()>(host.Export("GetConditionInfos")));
  auto actions =
      reinterpret_cast<InfosFn>(reinterpret_cast<void (*)()>(host.Export("GetActionInfos")));
  auto expressions =
      reinterpret_cast<InfosFn>(reinterpret_cast<void (*)()>(host.Export("GetExpressionInfos")));
  ASSERT_TRUE(conditions && actions && expressions);
  const std::vector<uint16_t> c = WalkDescriptors(conditions, 7);
  const std::vector<uint16_t> a = WalkDescriptors(actions, 58);
  const std::vector<uint16_t> e = WalkDescriptors(expressions, 38);
  EXPECT_EQ(c.size(), 41u);
  EXPECT_EQ(a.size(), 430u);
  EXPECT_EQ(e.size(), 204u);
  EXPECT_EQ(c, ExpectedWords(AceKind::kCondition, kConditionTypes, kConditionFlags, 7));
  EXPECT_EQ(a, ExpectedWords(AceKind::kAction, kActionTypes, nullptr, 58));
  EXPECT_EQ(e, ExpectedWords(AceKind::kExpression, kExpressionTypes, kExpressionFlags, 38));
  // The code is compared in 16 bits; codes outside the table find nothing.
  EXPECT_EQ(actions(nullptr, 0x10001), actions(nullptr, 1));
  EXPECT_EQ(actions(nullptr, 58), nullptr);
  EXPECT_EQ(conditions(nullptr, -1), nullptr);
  EXPECT_EQ(expressions(nullptr, 38), nullptr);
}

DWORD WINAPI NothingThread(void*) { return 0; }

bool StartAndJoinThread() {
  HANDLE thread = CreateThread(nullptr, 0, &NothingThread, nullptr, 0, nullptr);
  if (thread == nullptr) return false;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return true;
}

// Every thread start and end notifies the entry point: the host keeps the
// tables it was given, with their contents, and the module keeps its memory.
TEST_F(ModuleTest, ThreadStartsKeepTheTablesAndTheMemory) {
  auto actions =
      reinterpret_cast<InfosFn>(reinterpret_cast<void (*)()>(host.Export("GetActionInfos")));
  const uint16_t* entry = actions(nullptr, 57);
  const std::vector<uint16_t> words(entry - 2, entry + 17);
  ASSERT_TRUE(StartAndJoinThread());  // whatever the first thread sets up for good
  const uint64_t heapBefore = HeapBytesInUse();
  constexpr int kThreads = 2000;
  for (int i = 0; i < kThreads; ++i) ASSERT_TRUE(StartAndJoinThread());
  const uint64_t heapAfter = HeapBytesInUse();
  RecordProperty("heap_bytes_before", std::to_string(heapBefore));
  RecordProperty("heap_bytes_after", std::to_string(heapAfter));
  EXPECT_LT(heapAfter, heapBefore + 64 * 1024)
      << heapBefore << " bytes before " << kThreads << " threads, " << heapAfter << " after";

  EXPECT_EQ(actions(nullptr, 57), entry);
  EXPECT_EQ(std::vector<uint16_t>(entry - 2, entry + 17), words);
  auto infos = reinterpret_cast<int32_t(__stdcall*)(void*, RunObjectInfos*)>(
      reinterpret_cast<void (*)()>(host.Export("GetRunObjectInfos")));
  RunObjectInfos again{};
  ASSERT_EQ(infos(nullptr, &again), 1);
  EXPECT_EQ(reinterpret_cast<const void* const*>(again.conditionRoutines),
            host.infos().conditionTable);
  EXPECT_EQ(reinterpret_cast<const void* const*>(again.actionRoutines), host.infos().actionTable);
  EXPECT_EQ(reinterpret_cast<const void* const*>(again.expressionRoutines),
            host.infos().expressionTable);
}

TEST_F(ModuleTest, DebugTreeIsOneStaticEndMarker) {
  auto tree = reinterpret_cast<const uint16_t*(__stdcall*)(void*)>(
      reinterpret_cast<void (*)()>(host.Export("GetDebugTree")));
  ASSERT_NE(tree, nullptr);
  const uint16_t* first = tree(nullptr);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first[0], 0xFFFF);
  EXPECT_EQ(tree(nullptr), first);
  for (const char* name :
       {"StartApp", "EndApp", "StartFrame", "EndFrame", "PauseRunObject", "ContinueRunObject",
        "DisplayRunObject", "Free", "GetDebugItem", "EditDebugItem"}) {
    EXPECT_NE(host.Export(name), nullptr) << name;
  }
}

// --- Lifecycle ---------------------------------------------------------------------

TEST_F(ModuleTest, DisabledGeneratorKeepsTheRandomStreamAndStillWorks) {
  RunData* seeder = host.Create(0, 5);
  host.Action(seeder, kSeed, 1);
  // Created without the generator: no reseed, so its construction draws
  // continue the seeded stream.
  RunData* rd = host.Create(0, 5);
  EXPECT_EQ(rd->waveBuffer, nullptr);
  EXPECT_EQ(rd->waveCapacity, 0u);
  ASSERT_NE(rd->generator, nullptr);
  host.Action(rd, kCreateBlip);
  ExpectParams(rd, Expected(1, [](SoundGenerator& g) { g.LoadPreset(6); }));
  // Rendering is impossible, silently.
  host.ClearRecords();
  HsimClearCalls();
  host.Action(rd, kGenerate);
  host.Action(rd, kAddGenerated, host.Text("nothing"));
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(HsimCallCount(), 0u);
  EXPECT_EQ(host.Expression(rd, kGenLength), 0);
  EXPECT_EQ(host.ExpressionFloat(rd, kGenWave), 0.0f);
}

TEST_F(ModuleTest, CreationZeroesTheModuleFieldsAndSizesTheBuffer) {
  RunData* rd = host.Create(1, 15);
  EXPECT_EQ(rd->waveCapacity, 820000u);
  EXPECT_EQ(rd->generatedBytes, 0u);
  EXPECT_EQ(rd->sound.newestSample, 0u);
  EXPECT_EQ(rd->sound.playedChannel, 0);
  EXPECT_EQ(rd->sound.monitorActive, 0);
  for (const ChannelSlot& slot : rd->sound.channels) {
    EXPECT_EQ(slot.sample | slot.lastPosition | static_cast<uint32_t>(slot.loopsLeft), 0u);
  }
  EXPECT_EQ(host.Frame(rd), 0);

  // Length 0: the header alone, a valid empty sound even before any render.
  RunData* empty = host.Create(1, 0);
  EXPECT_EQ(empty->waveCapacity, 0u);
  ASSERT_NE(empty->waveBuffer, nullptr);
  EXPECT_EQ(std::memcmp(empty->waveBuffer, "RIFF", 4), 0);
  EXPECT_EQ(Word(empty->waveBuffer + 4), 36u);
  EXPECT_EQ(Word(empty->waveBuffer + 40), 0u);
  host.ClearRecords();
  host.Action(empty, kGenerate);
  EXPECT_EQ(host.EventCodes(), std::vector<int32_t>{1});
  EXPECT_EQ(host.Expression(empty, kGenLength), 0);
  EXPECT_EQ(Word(empty->waveBuffer + 4), 36u);
}

TEST_F(ModuleTest, ObjectsCreatedInTheSameSecondGetTheSameSeed) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::time_t start = std::time(nullptr);
    RunData* a = host.Create(1, 1);
    host.Action(a, kRandomize);
    const std::string first = host.ExpressionString(a, kCsv);
    RunData* b = host.Create(1, 1);
    host.Action(b, kRandomize);
    const std::string second = host.ExpressionString(b, kCsv);
    if (std::time(nullptr) != start) continue;  // crossed a second: try again
    EXPECT_EQ(first, second);
    return;
  }
  FAIL() << "never managed two creations within one second";
}

TEST_F(ModuleTest, CreatingAndDestroyingManyObjectsLeaksNothing) {
  for (int i = 0; i < 50; ++i) host.Destroy(host.Create(1, 1));  // warm up the heaps
  const uint64_t heapBefore = HeapBytesInUse();
  const uint64_t privateBefore = PrivateBytes();
  for (int i = 0; i < 10000; ++i) {
    RunData* rd = host.Create(static_cast<uint8_t>(i & 1), 1);
    ASSERT_NE(rd->generator, nullptr);
    host.Destroy(rd);
  }
  const uint64_t heapAfter = HeapBytesInUse();
  const uint64_t privateAfter = PrivateBytes();
  // One leaked generator per object would be tens of megabytes.
  EXPECT_LT(heapAfter, heapBefore + 64 * 1024) << heapBefore << " -> " << heapAfter;
  EXPECT_LT(privateAfter, privateBefore + 4 * 1024 * 1024)
      << privateBefore << " -> " << privateAfter;
}

TEST_F(ModuleTest, EveryRoutineSurvivesMissingPartsAndEmptyParameters) {
  // As after failed allocations at creation: no reader, no generator, no
  // buffer. Every parameter the host hands over is 0 (no text, no number).
  RunData* rd = host.Create(1, 1);
  ParamReader* reader = rd->paramReader;
  SoundGenerator* generator = rd->generator;
  uint8_t* buffer = rd->waveBuffer;
  rd->paramReader = nullptr;
  rd->generator = nullptr;
  rd->waveBuffer = nullptr;
  for (int k = 0; k < 7; ++k) host.Condition(rd, k);
  for (int k = 0; k < 58; ++k) EXPECT_EQ(host.Action(rd, k), 0) << "action " << k;
  for (int k = 0; k < 38; ++k) host.Expression(rd, k);
  EXPECT_EQ(host.Expression(rd, kGenLength), 0);
  EXPECT_EQ(host.ExpressionString(rd, kCsv), "");
  EXPECT_EQ(host.Frame(rd), 0);
  // Expressions still took their parameters through the host in order.
  host.ClearRecords();
  host.QueueExprInt(3);
  host.Expression(rd, kVariable, 5);
  ASSERT_EQ(host.exprFetches.size(), 1u);
  EXPECT_TRUE(host.exprFetches[0].first);
  rd->paramReader = reader;
  rd->generator = generator;
  rd->waveBuffer = buffer;
}

// --- Generator routines ----------------------------------------------------------

TEST_F(ModuleTest, GenerateRendersThenRaisesAndExpressionsReadIt) {
  RunData* rd = host.Create(1, 1);
  host.ClearRecords();
  host.Action(rd, kGenerate);
  EXPECT_EQ(host.EventCodes(), std::vector<int32_t>{1});
  EXPECT_EQ(host.Expression(rd, kGenLength), 25003);
  EXPECT_EQ(Word(rd->waveBuffer + 4), 50042u);
  EXPECT_EQ(Word(rd->waveBuffer + 40), 50006u);
  host.QueueExprInt(0);
  EXPECT_EQ(host.ExpressionFloat(rd, kGenWave, 0x12340000), static_cast<float>(3199 / 32000.0));
  EXPECT_EQ(host.Flags(rd), kFloatResultFlag);
  ASSERT_EQ(host.exprFetches.size(), 1u);
  EXPECT_TRUE(host.exprFetches[0].first);
  EXPECT_EQ(host.exprFetches[0].type, 0);
  EXPECT_EQ(host.exprFetches[0].token, 0);
  // Out of range, negative included, reads 0.0.
  host.QueueExprInt(25003);
  EXPECT_EQ(host.ExpressionFloat(rd, kGenWave), 0.0f);
  host.QueueExprInt(-1);
  EXPECT_EQ(host.ExpressionFloat(rd, kGenWave), 0.0f);
  // Reset keeps the rendered sound.
  host.Action(rd, kReset);
  EXPECT_EQ(host.Expression(rd, kGenLength), 25003);
}

TEST_F(ModuleTest, PresetsSeedAndMutateFollowTheSeededStream) {
  RunData* rd = host.Create(1, 1);
  host.Action(rd, kSeed, 1);
  host.Action(rd, kCreateExplosion);
  host.Action(rd, kSeed, 7);
  host.Action(rd, kMutate);
  SoundGenerator expected;
  SeedRand(1);
  expected.LoadPreset(2);
  const GeneratorParams explosion = expected.params;
  SeedRand(7);
  expected.Mutate();
  const GeneratorParams mutated = expected.params;
  EXPECT_NE(std::memcmp(&explosion, &mutated, sizeof(mutated)), 0);
  EXPECT_EQ(mutated.waveType, 3);
  ExpectParams(rd, mutated);
  // Out-of-range preset numbers change nothing, not even a reset.
  host.Action(rd, kLoadPresetAction, 7);
  host.Action(rd, kLoadPresetAction, -1);
  ExpectParams(rd, mutated);
}

TEST_F(ModuleTest, VariableSettersGettersAndIndexAccess) {
  RunData* rd = host.Create(0, 0);
  host.QueueFloat(0.25f);
  host.Action(rd, kSetAttack, 999, 999);  // the call's parameters are ignored
  EXPECT_EQ(host.actionFetchKinds, std::vector<int32_t>{2});
  EXPECT_EQ(host.ExpressionFloat(rd, kAttackTime), 0.25f);
  EXPECT_EQ(host.Flags(rd), kFloatResultFlag);
  host.QueueFloat(-3.5f);
  host.Action(rd, kSetSoundVolume);
  EXPECT_EQ(host.ExpressionFloat(rd, kSoundVolume), -3.5f);

  host.ClearRecords();
  host.Action(rd, kSetWaveType, 7);  // from the call, stored unchecked
  EXPECT_TRUE(host.actionFetchKinds.empty());
  EXPECT_EQ(host.Expression(rd, kWaveType), 7);
  EXPECT_EQ(host.Flags(rd), 0);

  host.QueueInt(1);
  host.QueueFloat(3.7f);
  host.Action(rd, kSetByIndex);
  EXPECT_EQ(host.actionFetchKinds, (std::vector<int32_t>{0, 2}));
  host.QueueExprInt(1);
  EXPECT_EQ(host.Expression(rd, kVariable), 3);
  EXPECT_EQ(host.Flags(rd), 0);
  host.QueueInt(9);
  host.QueueFloat(0.5f);
  host.Action(rd, kSetByIndex);
  EXPECT_EQ(host.ExpressionFloat(rd, kDeltaSlide), 0.5f);
  host.QueueExprInt(9);
  EXPECT_EQ(host.ExpressionFloat(rd, kVariable), 0.5f);
  EXPECT_EQ(host.Flags(rd), kFloatResultFlag);
  // Out-of-range indexes: the value is still fetched, nothing changes, 0 comes back.
  host.ClearRecords();
  host.QueueInt(24);
  host.QueueFloat(9.0f);
  host.Action(rd, kSetByIndex);
  EXPECT_EQ(host.actionFetchKinds.size(), 2u);
  for (int32_t index : {24, -1}) {
    host.QueueExprInt(index);
    EXPECT_EQ(host.Expression(rd, kVariable), 0);
    EXPECT_EQ(host.Flags(rd), 0);
  }
  // The token is the low 16 bits of what the routine received, sign-extended.
  host.ClearRecords();
  host.QueueExprInt(0);
  host.Expression(rd, kVariable, 0x0001FFFF);
  ASSERT_EQ(host.exprFetches.size(), 1u);
  EXPECT_EQ(host.exprFetches[0].token, -1);
  EXPECT_EQ(host.starvedFetches, 0);
}

// Every float crosses bit for bit, signalling NaNs of both signs included:
// each setter, "Set variable with index", each getter, Variable( and the
// parameter file. Each variable gets its own pattern so a mix-up shows.
TEST_F(ModuleTest, FloatVariablesKeepEveryBit) {
  RunData* rd = host.Create(0, 0);
  const std::string path = TempPath("zu_runtime_bits.sfs");
  auto setter = [](int i) { return i == 0 ? kSetSoundVolume : i == 2 ? kSetAttack : 26 + i; };
  auto expectBits = [&](uint32_t base, int step) {
    for (int i = 0; i < 24; ++i) {
      if (i == 1) continue;
      const uint32_t want = base + static_cast<uint32_t>(step * i);
      EXPECT_EQ(static_cast<uint32_t>(host.Expression(rd, kGetterOf[i])), want) << i;
      host.QueueExprInt(i);
      EXPECT_EQ(static_cast<uint32_t>(host.Expression(rd, kVariable)), want) << i;
    }
  };
  for (uint32_t base : {0x7F800001u, 0xFF800001u, 0x7FBFFFE8u, 0xFFA5A500u}) {
    for (int i = 0; i < 24; ++i) {
      if (i == 1) continue;
      host.QueueFloatBits(base + static_cast<uint32_t>(i));
      host.Action(rd, setter(i));
    }
    expectBits(base, 1);
    host.Action(rd, kSaveSfs, host.Text(path));
    const std::vector<uint8_t> file = ReadFile(path);
    ASSERT_EQ(file.size(), 105u);
    EXPECT_EQ(Word(&file[8]), base);  // the sound volume
    host.Action(rd, kReset);
    host.Action(rd, kLoadSfs, host.Text(path));
    expectBits(base, 1);
    for (int i = 0; i < 24; ++i) {
      host.QueueInt(i);
      host.QueueFloatBits(base + 23 - static_cast<uint32_t>(i));
      host.Action(rd, kSetByIndex);
    }
    expectBits(base + 23, -1);
  }
  EXPECT_EQ(host.starvedFetches, 0);
  std::remove(path.c_str());
}

TEST_F(ModuleTest, CsvTextRoundTripThroughTheHostsStrings) {
  RunData* rd = host.Create(0, 0);
  host.ClearRecords();
  const std::string reset = host.ExpressionString(rd, kCsv);
  EXPECT_EQ(reset, "1.0000,,,0.3000,,0.4000,0.3000,,,,,,,,,,,,,1.0000,,,,");
  EXPECT_EQ(reset.size(), 53u);
  EXPECT_EQ(host.stringSizes, std::vector<int32_t>{54});
  EXPECT_EQ(host.Flags(rd), kStringResultFlag);

  host.QueueString("0.5,2.9");
  host.Action(rd, kLoadCsv);
  EXPECT_EQ(host.ExpressionFloat(rd, kSoundVolume), 0.5f);
  EXPECT_EQ(host.Expression(rd, kWaveType), 2);
  host.QueueString(",,,,,,,,,,,,,,,,,,,,,,,");
  host.Action(rd, kLoadCsv);
  EXPECT_EQ(host.ExpressionString(rd, kCsv), std::string(23, ','));
}

TEST_F(ModuleTest, ParameterFileSaveLoadAndMissingFile) {
  RunData* rd = host.Create(0, 0);
  const std::string path = TempPath("zu_runtime_test.sfs");
  host.Action(rd, kSeed, 3);
  host.Action(rd, kRandomize);
  const std::string designed = host.ExpressionString(rd, kCsv);
  host.Action(rd, kSaveSfs, host.Text(path));
  EXPECT_EQ(ReadFile(path).size(), 105u);
  host.Action(rd, kReset);
  host.Action(rd, kLoadSfs, host.Text(path));
  EXPECT_EQ(host.ExpressionString(rd, kCsv), designed);
  host.Action(rd, kReset);
  host.Action(rd, kLoadSfs, host.Text(TempPath("zu_no_such_file.sfs")));
  EXPECT_EQ(host.ExpressionString(rd, kCsv).size(), 53u);
  // A second save replaces the existing file.
  host.Action(rd, kSaveSfs, host.Text(path));
  host.Action(rd, kRandomize);
  host.Action(rd, kLoadSfs, host.Text(path));
  EXPECT_EQ(host.ExpressionString(rd, kCsv).size(), 53u);
  std::remove(path.c_str());
}

TEST_F(ModuleTest, FailedParameterFileSaveKeepsTheOldFile) {
  RunData* rd = host.Create(0, 0);
  const std::string folder = TempPath("zu_failed_save");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\kept.sfs";
  host.Action(rd, kSaveSfs, host.Text(path));
  const std::vector<uint8_t> old = ReadFile(path);
  ASSERT_EQ(old.size(), 105u);
  // Held open without delete sharing, the file cannot be replaced: the new
  // image is written beside it, the replace is refused and the temporary goes.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  host.QueueFloat(0.5f);
  host.Action(rd, kSetSoundVolume);
  host.Action(rd, kSaveSfs, host.Text(path));
  CloseHandle(held);
  EXPECT_EQ(ReadFile(path), old);
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  int files = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do files += (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
    while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  EXPECT_EQ(files, 1);
  host.Action(rd, kSaveSfs, host.Text(path));  // released: now it is replaced
  EXPECT_NE(ReadFile(path), old);
  DeleteFileA(path.c_str());
  RemoveDirectoryA(folder.c_str());
}

// --- Sound bank ----------------------------------------------------------------------

TEST_F(ModuleTest, AddGeneratedSoundAddsThenReplacesWithEvent) {
  RunData* rd = host.Create(1, 1);
  host.Action(rd, kGenerate);
  host.ClearRecords();
  EXPECT_EQ(host.Expression(rd, kNewestSound), -1);
  host.Action(rd, kAddGenerated, host.Text("boom"));
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(rd->sound.newestSample, 1u);
  uint32_t size = 0;
  ASSERT_NE(HsimSampleBytes(1, &size), nullptr);
  EXPECT_EQ(size, 50006u + 44u);
  EXPECT_EQ(std::memcmp(HsimSampleBytes(1, &size), rd->waveBuffer, size), 0);

  HsimClearCalls();
  host.Action(rd, kAddGenerated, host.Text("boom"));
  EXPECT_EQ(host.EventCodes(), std::vector<int32_t>{0});
  EXPECT_EQ(HostOps(), (std::vector<std::string>{"FindSample", "StopSample", "ReplaceSample"}));
  EXPECT_EQ(host.Condition(rd, kExists, host.Text("boom")), 1);
  EXPECT_EQ(host.Condition(rd, kExists, host.Text("bang")), 0);
  EXPECT_EQ(host.Expression(rd, kNewestSound), 0);
  EXPECT_EQ(host.Expression(rd, kCountSounds), 1);
}

TEST_F(ModuleTest, NamesIndexesSizesAndBadInputs) {
  RunData* rd = host.Create(0, 0);
  const uint8_t bytes[] = {1, 2, 3, 4, 5};
  HsimPlaceSample(1, "one", bytes, 5);
  HsimPlaceSample(2, "two", bytes, 3);
  HsimPlaceSample(3, "three", bytes, 4);
  host.QueueExprInt(1);
  EXPECT_EQ(host.ExpressionString(rd, kSoundName), "two");
  EXPECT_EQ(host.Flags(rd), kStringResultFlag);
  for (int32_t bad : {3, -1}) {
    host.ClearRecords();
    host.QueueExprInt(bad);
    EXPECT_EQ(host.ExpressionString(rd, kSoundName), "");
    EXPECT_EQ(host.Flags(rd), kStringResultFlag);
    EXPECT_TRUE(host.stringSizes.empty()) << "the constant empty string needs no host memory";
  }
  host.ClearRecords();
  host.QueueExprString("three");
  EXPECT_EQ(host.Expression(rd, kSoundIndex), 2);
  ASSERT_EQ(host.exprFetches.size(), 1u);
  EXPECT_EQ(host.exprFetches[0].type, 1);
  host.QueueExprString("nope");
  EXPECT_EQ(host.Expression(rd, kSoundIndex), -1);
  host.QueueExprString("one");
  EXPECT_EQ(host.Expression(rd, kSoundSize), 5);
  host.QueueExprString("nope");
  EXPECT_EQ(host.Expression(rd, kSoundSize), 0);
  host.QueueExprString("nope");
  EXPECT_EQ(host.Expression(rd, kSoundAddress), 0);
  host.QueueExprString("one");
  EXPECT_NE(host.Expression(rd, kSoundAddress), 0);

  // Delete by the number as a handle; indexes close up.
  host.Action(rd, kDeleteByIndex, 1);
  host.QueueExprInt(0);
  EXPECT_EQ(host.ExpressionString(rd, kSoundName), "two");
  host.Action(rd, kDeleteSound, host.Text("nope"));
  EXPECT_EQ(host.Expression(rd, kCountSounds), 2);
  host.Action(rd, kDeleteSound, host.Text("two"));
  EXPECT_EQ(host.Expression(rd, kCountSounds), 1);
}

TEST_F(ModuleTest, AddFromFileMemoryAndSaveToFile) {
  RunData* rd = host.Create(0, 0);
  const std::string in = TempPath("zu_runtime_in.bin");
  const std::string out = TempPath("zu_runtime_out.bin");
  std::remove(out.c_str());
  FILE* f = std::fopen(in.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  const char content[] = "not really a wave file";
  std::fwrite(content, 1, sizeof(content), f);
  std::fclose(f);

  host.Action(rd, kAddFromFile, host.Text("file"), host.Text(in));
  host.QueueExprString("file");
  EXPECT_EQ(host.Expression(rd, kSoundSize), static_cast<int32_t>(sizeof(content)));
  host.Action(rd, kAddFromFile, host.Text("missing"), host.Text(TempPath("zu_no_such.wav")));
  EXPECT_EQ(host.Condition(rd, kExists, host.Text("missing")), 0);

  host.ClearRecords();
  static const uint8_t memory[] = {9, 8, 7, 6};
  host.QueueString("mem");
  host.QueueInt(static_cast<int32_t>(reinterpret_cast<uintptr_t>(memory)));
  host.QueueInt(4);
  host.Action(rd, kAddFromMemory, 111, 222);
  EXPECT_EQ(host.actionFetchKinds, (std::vector<int32_t>{-1, 0, 0}));
  host.QueueExprString("mem");
  EXPECT_EQ(host.Expression(rd, kSoundSize), 4);

  host.Action(rd, kSaveSound, host.Text("file"), host.Text(out));
  const std::vector<uint8_t> saved = ReadFile(out);
  EXPECT_EQ(std::string(saved.begin(), saved.end()), std::string(content, sizeof(content)));
  std::remove(out.c_str());
  host.Action(rd, kSaveSound, host.Text("nope"), host.Text(out));
  EXPECT_EQ(GetFileAttributesA(out.c_str()), INVALID_FILE_ATTRIBUTES);
  std::remove(in.c_str());
}

// --- Playback and monitor --------------------------------------------------------------

class PlaybackTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    rd = host.Create(1, 1);
    host.Action(rd, kGenerate);
    host.Action(rd, kAddGenerated, host.Text("zap"));
    host.ClearRecords();
    HsimClearCalls();
  }
  void Play(const char* name, int32_t channel, int32_t count) {
    host.QueueString(name);
    host.QueueInt(channel);
    host.QueueInt(count);
    host.Action(rd, kPlayRepeat);
  }
  RunData* rd = nullptr;
};

TEST_F(PlaybackTest, PlayWithParametersStartsThenSetsInOrder) {
  host.QueueString("zap");
  host.QueueInt(5);
  host.QueueInt(80);
  host.QueueInt(-30);
  host.QueueInt(100);
  host.QueueInt(22050);
  host.Action(rd, kPlayWith);
  EXPECT_EQ(host.actionFetchKinds, (std::vector<int32_t>{-1, 0, 0, 0, 0, 0}));
  const std::vector<LoggedCall> calls = HostCalls();
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0].op, "FindSample");
  EXPECT_EQ(calls[1].op, "PlaySampleOnChannel");
  EXPECT_EQ(calls[1].args, (std::vector<int64_t>{HostHarness::kPlayerWord, HostHarness::kAppHandle,
                                                 1, HostHarness::kFrameWord, 0, 0, 5}));
  EXPECT_EQ(calls[2].op, "SetChannelVolume");
  EXPECT_EQ(calls[2].args.back(), 80);
  EXPECT_EQ(calls[3].op, "SetChannelPan");
  EXPECT_EQ(calls[3].args.back(), -30);
  EXPECT_EQ(calls[4].op, "SetChannelPosition");
  EXPECT_EQ(calls[5].op, "SetChannelFrequency");
  EXPECT_EQ(calls[5].args.back(), 22050);
  EXPECT_EQ(host.EventCodes(), std::vector<int32_t>{5});
  EXPECT_EQ(host.Expression(rd, kPlayedChannel), 5);
  EXPECT_EQ(host.Expression(rd, kPlayedSound), 0);
  EXPECT_EQ(host.ExpressionString(rd, kPlayedSoundName), "zap");
}

TEST_F(PlaybackTest, BadChannelOrUnknownNameDoNothing) {
  for (int32_t channel : {33, -1}) Play("zap", channel, 1);
  EXPECT_EQ(HsimCallCount(), 0u);
  Play("nope", 0, 1);
  EXPECT_EQ(HostOps(), std::vector<std::string>{"FindSample"});
  EXPECT_TRUE(host.events.empty());
  EXPECT_EQ(rd->sound.monitorActive, 0);
  EXPECT_EQ(host.Expression(rd, kPlayedChannel), 0);
  EXPECT_EQ(host.Expression(rd, kPlayedSound), -1);
  host.ClearRecords();
  EXPECT_EQ(host.ExpressionString(rd, kPlayedSoundName), "");
  EXPECT_EQ(host.stringSizes, std::vector<int32_t>{1});
}

TEST_F(PlaybackTest, RepeatCountThreeLoopsTwiceThenIdles) {
  HsimSetChannelBusy(1, 1);
  HsimSetChannelBusy(2, 1);
  Play("zap", 0, 3);
  EXPECT_EQ(host.Expression(rd, kPlayedChannel), 3);
  EXPECT_EQ(rd->sound.channels[2].loopsLeft, 2);
  int frames = 0;
  while (frames < 1000) {
    EXPECT_EQ(host.Frame(rd, 20), 0);
    ++frames;
    HsimChannelInfo info;
    HsimChannel(3, &info);
    if (rd->sound.channels[2].loopsLeft == 0 && info.position == info.duration) break;
  }
  EXPECT_EQ(host.EventCodes(), (std::vector<int32_t>{5, 6, 6}));
  EXPECT_EQ(host.Expression(rd, kPlayedChannel), 3);
  // Three playings of a ~0.57 s sound in 20 ms frames.
  EXPECT_GT(frames, 80);
  EXPECT_LT(frames, 100);
  const size_t before = host.events.size();
  for (int i = 0; i < 50; ++i) host.Frame(rd, 20);
  EXPECT_EQ(host.events.size(), before);
}

TEST_F(PlaybackTest, StopEndsRepetitionAndConditionsFollowTheSample) {
  Play("zap", 4, 0);
  EXPECT_EQ(rd->sound.channels[3].loopsLeft, -1);
  EXPECT_EQ(host.Condition(rd, kIsPlaying, host.Text("zap")), 1);
  EXPECT_EQ(host.Condition(rd, kIsPaused, host.Text("zap")), 0);
  EXPECT_EQ(host.Condition(rd, kIsPlaying, host.Text("nope")), 0);
  host.Action(rd, kStop, host.Text("zap"));
  EXPECT_EQ(rd->sound.channels[3].loopsLeft, 0);
  EXPECT_EQ(host.Condition(rd, kIsPlaying, host.Text("zap")), 0);
  host.ClearRecords();
  for (int i = 0; i < 60; ++i) host.Frame(rd, 20);
  EXPECT_TRUE(host.events.empty());

  // A play without a count on a repeating channel ends the repetition.
  Play("zap", 6, 0);
  host.QueueString("zap");
  host.QueueInt(6);
  host.Action(rd, kPlay);
  EXPECT_EQ(rd->sound.channels[5].loopsLeft, 0);
  // The setters go to the sample with the call's value.
  HsimClearCalls();
  host.Action(rd, kSetVolume, host.Text("zap"), 40);
  EXPECT_EQ(HsimSampleVolume(1), 40);
  host.QueueExprString("zap");
  const int32_t original = host.Expression(rd, kOriginalFreq);
  EXPECT_EQ(original, 44100);
}

}  // namespace
}  // namespace zu
