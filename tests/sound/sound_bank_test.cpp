#include "sound/sound_bank.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/sound/sound_fixture.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace zu::testing {
namespace {

using BankTest = SoundTest;

std::string TempPath(const char* leaf) {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(::testing::TempDir()) + "zu_sound_" + info->name() + "_" + leaf;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}

TEST_F(BankTest, AddingANewNameRaisesNothingAndReplacingRaisesSoundAdded) {
  std::vector<uint8_t> first = MakeWave(10, 0x01), second = MakeWave(20, 0x02);
  host.PlaceSample(1, "other", first);

  AddSoundFromMemory(ctx, "boom", first.data(), static_cast<uint32_t>(first.size()));
  EXPECT_EQ(state.newestSample, 2u);
  EXPECT_TRUE(events.events.empty());
  EXPECT_EQ(*host.SampleBytes(2), first);

  host.ClearCalls();
  AddSoundFromMemory(ctx, "boom", second.data(), static_cast<uint32_t>(second.size()));
  EXPECT_EQ(state.newestSample, 2u);
  ASSERT_EQ(events.events.size(), 1u);
  EXPECT_EQ(events.events[0].code, kEventSoundAdded);
  EXPECT_EQ(*host.SampleBytes(2), second);
  // File and memory replace without stopping the old sample.
  EXPECT_EQ(Ops(), (std::vector<std::string>{"FindSample", "ReplaceSample"}));
  EXPECT_EQ(host.Calls()[1].args, (std::vector<int64_t>{kApp, 1, 2, int64_t(second.size())}));
  EXPECT_EQ(host.SampleCount(), 2u);
}

TEST_F(BankTest, GeneratedSoundStopsBeforeReplacingAndNeedsAWaveBuffer) {
  std::vector<uint8_t> image = MakeWave(30);
  uint32_t generated = static_cast<uint32_t>(image.size()) - 44;

  AddGeneratedSound(ctx, "gen", nullptr, generated);
  EXPECT_TRUE(host.Calls().empty());

  AddGeneratedSound(ctx, "gen", image.data(), generated);
  EXPECT_EQ(*host.SampleBytes(1), image);
  EXPECT_EQ(host.CountCalls("StopSample"), 0u);

  host.ClearCalls();
  AddGeneratedSound(ctx, "gen", image.data(), generated);
  EXPECT_EQ(Ops(), (std::vector<std::string>{"FindSample", "StopSample", "ReplaceSample"}));
  EXPECT_EQ(events.Count(kEventSoundAdded), 1u);
}

TEST_F(BankTest, NewestSoundFollowsDeletesBelowIt) {
  EXPECT_EQ(NewestSound(ctx), -1);
  std::vector<uint8_t> data = MakeWave(5);
  host.PlaceSample(1, "a", data);
  host.PlaceSample(2, "b", data);
  AddSoundFromMemory(ctx, "c", data.data(), 10);
  EXPECT_EQ(state.newestSample, 3u);
  EXPECT_EQ(NewestSound(ctx), 2);
  DeleteSound(ctx, "a");
  EXPECT_EQ(NewestSound(ctx), 1);
  // Once the newest itself is gone, the nearest existing sound below it counts.
  DeleteSound(ctx, "c");
  EXPECT_EQ(NewestSound(ctx), 0);
  DeleteSound(ctx, "b");
  EXPECT_EQ(NewestSound(ctx), -1);
}

TEST_F(BankTest, IndexesSkipGapsEmptyNamesAndHighHandles) {
  std::vector<uint8_t> data = MakeWave(5);
  host.PlaceSample(2, "two", data);
  host.PlaceSample(5, "", data);  // an unnamed sample is not a sound
  host.PlaceSample(7, "seven", data);
  host.PlaceSample(1024, "high", data);

  EXPECT_EQ(CountSounds(ctx), 2);
  EXPECT_EQ(SoundIndex(ctx, "two"), 0);
  EXPECT_EQ(SoundIndex(ctx, "seven"), 1);
  EXPECT_EQ(SoundIndex(ctx, "high"), -1);
  EXPECT_EQ(SoundIndex(ctx, "missing"), -1);
  // The name lookup itself sees every sample of the bank.
  EXPECT_TRUE(SoundExists(ctx, "high"));
  EXPECT_FALSE(SoundExists(ctx, "missing"));

  char name[kNameBufferSize];
  EXPECT_TRUE(SoundName(ctx, 1, name));
  EXPECT_STREQ(name, "seven");
  for (int32_t bad : {-1, 2, INT32_MAX, INT32_MIN}) {
    std::memset(name, 'x', sizeof name);
    EXPECT_FALSE(SoundName(ctx, bad, name)) << bad;
    EXPECT_STREQ(name, "") << bad;
  }
}

TEST_F(BankTest, NamesComeBackCutTo127Bytes) {
  std::string longName(200, 'n');
  longName[126] = 'L';
  host.PlaceSample(1, longName, MakeWave(5));
  char name[kNameBufferSize];
  ASSERT_TRUE(SoundName(ctx, 0, name));
  EXPECT_EQ(std::string(name), longName.substr(0, 127));

  EXPECT_EQ(ReadSampleName(ctx, 1, name), 127u);
  EXPECT_EQ(name[127], '\0');
}

TEST_F(BankTest, CountSoundsAsksForEveryHandleOnce) {
  host.PlaceSample(3, "x", MakeWave(5));
  EXPECT_EQ(CountSounds(ctx), 1);
  EXPECT_EQ(host.CountCalls("GetSampleName"), 1023u);
  EXPECT_EQ(host.Calls().size(), 1023u);
  EXPECT_EQ(host.Calls().back().args[1], 1023);
  EXPECT_EQ(host.Calls().back().args[2], 1);  // a 1-byte copy per handle
}

TEST_F(BankTest, DeleteByIndexPassesTheNumberAsAHandle) {
  std::vector<uint8_t> data = MakeWave(5);
  host.PlaceSample(1, "one", data);
  host.PlaceSample(2, "two", data);
  host.PlaceSample(3, "three", data);
  DeleteSoundByHandle(ctx, 1);
  char name[kNameBufferSize];
  ASSERT_TRUE(SoundName(ctx, 0, name));
  EXPECT_STREQ(name, "two");

  host.ClearCalls();
  DeleteSoundByHandle(ctx, 0);
  EXPECT_EQ(Ops(), (std::vector<std::string>{"DeleteSample"}));
  DeleteSound(ctx, "none");
  EXPECT_EQ(host.CountCalls("DeleteSample"), 1u);
  EXPECT_EQ(host.SampleCount(), 2u);
}

TEST_F(BankTest, OriginalFrequencyLeavesTheCurrentOneInPlace) {
  host.PlaceSample(4, "s", MakeWave(5));
  host.SetSampleFrequency(kApp, 1, 4, 30000);
  host.ClearCalls();

  EXPECT_EQ(SoundOriginalFreq(ctx, "s"), 44100);
  EXPECT_EQ(host.GetSampleFrequency(kApp, 1, 4), 30000);
  std::vector<std::string> expected{"FindSample", "GetSampleFrequency", "SetSampleFrequency",
                                    "GetSampleFrequency", "SetSampleFrequency"};
  std::vector<std::string> ops = Ops();
  ops.pop_back();  // the check above
  EXPECT_EQ(ops, expected);
  EXPECT_EQ(host.Calls()[2].args, (std::vector<int64_t>{kApp, 1, 4, 0}));
  EXPECT_EQ(host.Calls()[4].args, (std::vector<int64_t>{kApp, 1, 4, 30000}));
  EXPECT_EQ(SoundOriginalFreq(ctx, "none"), 0);
}

TEST_F(BankTest, AddressAndSizeOfData) {
  std::vector<uint8_t> data = MakeWave(7);
  host.PlaceSample(2, "s", data);
  EXPECT_EQ(SoundSize(ctx, "s"), data.size());
  EXPECT_EQ(SoundAddress(ctx, "s"), host.SampleBytes(2)->data());
  EXPECT_EQ(SoundSize(ctx, "none"), 0u);
  EXPECT_EQ(SoundAddress(ctx, "none"), nullptr);
}

TEST_F(BankTest, AddFromFile) {
  // A missing file adds nothing and asks the host nothing.
  AddSoundFromFile(ctx, "f", TempPath("missing.wav").c_str());
  AddSoundFromFile(ctx, "f", nullptr);
  EXPECT_TRUE(host.Calls().empty());

  std::string emptyPath = TempPath("empty.bin");
  { std::ofstream(emptyPath, std::ios::binary); }
  AddSoundFromFile(ctx, "empty", emptyPath.c_str());
  ASSERT_EQ(host.CountCalls("AddSample"), 1u);
  EXPECT_EQ(host.Calls().back().args.back(), 0);  // size 0 handed over
  EXPECT_EQ(host.SampleNameOf(1), "empty");

  std::vector<uint8_t> bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  bytes[100] = '\r';
  bytes[101] = '\n';
  bytes[102] = 0x1A;
  std::string path = TempPath("data.bin");
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  AddSoundFromFile(ctx, "file", path.c_str());
  ASSERT_NE(host.SampleBytes(2), nullptr);
  EXPECT_EQ(*host.SampleBytes(2), bytes);
  EXPECT_EQ(state.newestSample, 2u);

  // Same name again: replaced without a stop, "Sound added" raised.
  AddSoundFromFile(ctx, "file", emptyPath.c_str());
  EXPECT_TRUE(host.SampleBytes(2)->empty());
  EXPECT_EQ(host.CountCalls("StopSample"), 0u);
  EXPECT_EQ(events.Count(kEventSoundAdded), 1u);
  std::remove(emptyPath.c_str());
  std::remove(path.c_str());
}

// Only a regular disk file is read: a folder, a device or a pipe (which could
// block the game or feed it endless data) and a file too large for memory or
// for the host's 32-bit size leave the bank as it was, without a host call.
TEST_F(BankTest, AddFromFileRefusesWhatIsNotAWholeRegularFile) {
  host.PlaceSample(1, "s", MakeWave(1));
  std::vector<std::string> paths = {::testing::TempDir()};
  // Natively above the host's 32-bit size; in a 32-bit process beyond memory.
  const uint64_t hugeSize = sizeof(void*) == 4 ? 0xF0000000u : (uint64_t{1} << 32);
  const std::string huge = TempPath("huge.bin");
  { std::ofstream(huge, std::ios::binary); }
  std::filesystem::resize_file(huge, hugeSize);  // sparse: takes no disk space
  paths.push_back(huge);
#ifdef _WIN32
  paths.insert(paths.end(), {"NUL", "CON"});
  const char pipeName[] = "\\\\.\\pipe\\zu_sound_bank_test";
  HANDLE pipe = CreateNamedPipeA(pipeName, PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096,
                                 4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  paths.push_back(pipeName);
#else
  const std::string fifo = TempPath("fifo");
  std::remove(fifo.c_str());
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  paths.insert(paths.end(), {fifo, "/dev/zero"});
#endif
  for (const std::string& path : paths) {
    AddSoundFromFile(ctx, "s", path.c_str());
    AddSoundFromFile(ctx, "new", path.c_str());
    EXPECT_EQ(host.CountCalls("AddSample") + host.CountCalls("ReplaceSample"), 0u) << path;
  }
  EXPECT_EQ(*host.SampleBytes(1), MakeWave(1));
  EXPECT_EQ(state.newestSample, 0u);
  EXPECT_TRUE(events.events.empty());
#ifdef _WIN32
  CloseHandle(pipe);
#else
  std::remove(fifo.c_str());
#endif
  std::remove(huge.c_str());
}

TEST_F(BankTest, SaveWritesTheDataLengthOrNothing) {
  std::vector<uint8_t> data = MakeWave(12, 0x5A);
  data[50] = '\n';
  host.PlaceSample(1, "s", data);
  std::string path = TempPath("out.wav");
  std::remove(path.c_str());

  SaveSound(ctx, "s", path.c_str());
  EXPECT_EQ(ReadFile(path), data);
  std::remove(path.c_str());

  SaveSound(ctx, "unknown", path.c_str());
  EXPECT_FALSE(FileExists(path));
  // A sample without data creates no file either.
  host.PlaceSample(2, "nodata", {});
  SaveSound(ctx, "nodata", path.c_str());
  EXPECT_FALSE(FileExists(path));
  // A file that cannot be created is no failure to report.
  SaveSound(ctx, "s", TempPath("no/such/dir.wav").c_str());
}

}  // namespace
}  // namespace zu::testing
