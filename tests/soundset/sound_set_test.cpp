#include "soundset/sound_set.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "frame/editor_properties.h"
#include "generator/csv_text.h"
#include "generator/generator_object.h"
#include "generator/random_source.h"
#include "generator/sound_generator.h"
#include "generator/wave_render.h"
#include "soundset/set_c_api.h"
#include "soundset/set_events.h"
#include "soundset/set_file.h"
#include "soundset/set_file_names.h"
#include "soundset/set_render.h"

namespace zu {
namespace {

const char kCoin[] = "1.0000,,,0.0720,0.5727,0.4718,0.4024,,,,,,0.5080,0.5715,,,,,,1.0000,,,,";

std::string SetOf(const std::string& lines) { return std::string(kSetHeader) + "\n" + lines; }

bool Read(const std::string& text, std::vector<SetSound>* sounds, std::string* error) {
  return ReadSoundSet(text.data(), text.size(), sounds, error);
}

SetSound Designed(const std::string& name, uint32_t seed, uint32_t preset, uint32_t length) {
  SeedRandom(seed);
  SoundGenerator generator;
  generator.LoadPreset(preset);
  generator.Mutate();
  return {name, length, seed, BlockOf(generator.params)};
}

TEST(SoundSet, MalformedFilesNameLineColumnAndWhatWasExpected) {
  const std::string bits24 = "bits:" + std::string(23 * 9, '0');  // 23 words, no commas
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"", "line 1, column 1: expected the first line \"zider-uzazir-set 1\""},
      {"zider-uzazir-set 2\n", "line 1, column 1: expected the first line \"zider-uzazir-set 1\""},
      {SetOf("jump\t5\t1\n"), "line 2, column 9: expected a tab, then the parameter block"},
      {SetOf("\n#c\njump\t11\t1\t" + std::string(kCoin)),
       "line 4, column 6: expected a buffer length from 0 to 10"},
      {SetOf("jump\t05\t1\t,"), "line 2, column 6: expected a buffer length from 0 to 10"},
      {SetOf("jump\t5\t0\t,"), "line 2, column 8: expected a seed from 1 to 4294967295"},
      {SetOf("jump\t5\t4294967296\t,"), "line 2, column 8: expected a seed from 1 to 4294967295"},
      {SetOf("jump\t5\t1\t1.0,2"),
       "line 2, column 15: expected 24 comma-separated fields, found 2"},
      {SetOf("jump\t5\t1\t1e5" + std::string(23, ',')), "line 2, column 10: expected a number"},
      {SetOf("jump\t5\t1\t" + std::string(24, ',')),
       "line 2, column 33: expected the end of the line after the 24th field"},
      {SetOf("jump\t5\t1\t" + bits24), "line 2, column 23: expected a comma after word 1"},
      {SetOf("jump\t5\t1\tbits:3f80000g"), "line 2, column 22: expected a hexadecimal digit"},
      {SetOf(std::string(128, 'n') + "\t5\t1\t,"),
       "line 2, column 1: expected a sound name of 1 to 127"},
      {SetOf("ok\t5\t1\t" + std::string(23, ',') + "\tmore"),
       "line 2, column 31: expected no tab after the block"},
      {SetOf("#c\n\xC3\xA9t\xC3\xA9\t5\t1\t" + std::string(23, ',') +
             "\n\xC3\xA9t\xC3\xA9\t1\t1\t" + std::string(23, ',')),
       "line 4, column 1: expected a name not used before (line 3 has it)"},
      {SetOf("a\x01"
             "b\t5\t1\t,"),
       "line 2, column 1: expected a name without tabs or control"},
      {SetOf("#x\t5\t1\t,"), ""},  // a comment, whatever it holds
      {SetOf("\xC3\xA9t\xC3\xA9"
             "\xFF\t5"),
       "line 2, column 4: expected UTF-8 text, found the byte 0xFF"},
      {SetOf("# \xED\xA0\x80"), "line 2, column 3: expected UTF-8 text, found the byte 0xED"},
      {SetOf("ab" + std::string(1, '\0') + "\t5"), "line 2, column 3: expected text, found a NUL"},
      {SetOf("#" + std::string(kSetMaxLineBytes, 'x')),
       "line 2, column 1: expected a line of at most 2048 bytes"},
  };
  for (const Case& c : cases) {
    std::vector<SetSound> sounds = {SetSound{"kept", 5, 1, {}}};
    std::string error;
    const bool ok = Read(c.text, &sounds, &error);
    if (c.message.empty()) {
      EXPECT_TRUE(ok) << error;
      continue;
    }
    EXPECT_FALSE(ok) << c.text;
    EXPECT_EQ(error.compare(0, c.message.size(), c.message), 0) << error << "\nwant " << c.message;
    ASSERT_EQ(sounds.size(), 1u) << "a refused file changed the set";
    EXPECT_EQ(sounds[0].name, "kept");
  }
}

TEST(SoundSet, WriteThenReadKeepsEveryBit) {
  std::vector<SetSound> sounds;
  for (uint32_t i = 0; i < 14; ++i) {
    sounds.push_back(Designed("s" + std::to_string(i), i * 977 + 1, i % 7, i % 11));
  }
  const float special[] = {std::numeric_limits<float>::quiet_NaN(),
                           -std::numeric_limits<float>::infinity(), -0.0f, 1e-6f, 3.4e38f};
  for (float v : special) {
    SetSound s = sounds[0];
    s.name = "special " + std::to_string(sounds.size());
    std::memcpy(&s.block[5], &v, sizeof v);
    sounds.push_back(s);
  }
  sounds.back().block[1] = 0x80000001u;  // a wave type no float holds
  sounds.back().block[7] = 0x7F800001u;  // a signalling NaN
  sounds.back().seed = 4294967295u;
  const std::string text = WriteSoundSet(sounds);
  std::vector<SetSound> back;
  std::string error;
  ASSERT_TRUE(Read(text, &back, &error)) << error;
  ASSERT_EQ(back.size(), sounds.size());
  for (size_t i = 0; i < sounds.size(); ++i) {
    EXPECT_EQ(back[i].name, sounds[i].name);
    EXPECT_EQ(back[i].bufferLength, sounds[i].bufferLength);
    EXPECT_EQ(back[i].seed, sounds[i].seed);
    EXPECT_EQ(back[i].block, sounds[i].block) << sounds[i].name;
  }
  EXPECT_EQ(WriteSoundSet(back), text);
  // A block loaded from CSV text is written as that text; NaN, infinity,
  // -0, tiny values and designed (unrounded) values as bits.
  GeneratorParams coin{};
  LoadVariablesFromCsv(coin, kCoin);
  EXPECT_EQ(BlockText(BlockOf(coin)), kCoin);
  for (size_t i = 13; i < 18; ++i) EXPECT_EQ(BlockText(sounds[i].block).compare(0, 5, "bits:"), 0);
}

TEST(SoundSet, TenThousandSoundsLoadAndOneMoreIsRefused) {
  std::string lines;
  for (int i = 0; i < 10000; ++i) lines += "n" + std::to_string(i) + "\t1\t7\t" + kCoin + "\r\n";
  std::vector<SetSound> sounds;
  std::string error;
  ASSERT_TRUE(Read(SetOf(lines), &sounds, &error)) << error;
  EXPECT_EQ(sounds.size(), 10000u);
  EXPECT_FALSE(Read(SetOf(lines + "extra\t1\t7\t,"), &sounds, &error));
  EXPECT_EQ(error, "line 10002, column 1: expected no more sounds (a set holds at most 10000)");
}

TEST(SoundSet, HugeFileIsRefusedFromItsSize) {
  const std::string path = ::testing::TempDir() + "zu_huge_set.zus";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  const std::string head = SetOf("");
  std::fwrite(head.data(), 1, head.size(), f);
  ASSERT_EQ(std::fseek(f, 100 * 1024 * 1024 - 1, SEEK_SET), 0);  // sparse where supported
  std::fputc('\n', f);
  std::fclose(f);
  std::vector<SetSound> sounds;
  std::string error;
  EXPECT_FALSE(ReadSoundSetFile(path.c_str(), &sounds, &error));
  EXPECT_EQ(error, path + ": a set file holds at most 25165824 bytes, found 104857600");
  std::remove(path.c_str());
}

TEST(SoundSet, FileNamesAreSafeUniqueWithoutCaseAndStable) {
  const char* names[] = {"../x",
                         "CON",
                         "con.txt",
                         "Com1",
                         "LPT9 .log",
                         "CONSOLE",
                         "a\\b",
                         "a/b",
                         "a.",
                         "b ",
                         ".",
                         "Jump",
                         "jump",
                         "JUMP~2",
                         "x?*:",
                         "\xC3\x89t\xC3\xA9",
                         "\xC3\xA9t\xC3\xA9",
                         "\xCE\xA3",
                         "\xCF\x83"};
  const char* want[] = {"_._x",
                        "_CON",
                        "_con.txt",
                        "_Com1",
                        "_LPT9 .log",
                        "CONSOLE",
                        "a_b",
                        "a_b~2",
                        "a_",
                        "b_",
                        "_",
                        "Jump",
                        "jump~2",
                        "JUMP~2~2",
                        "x___",
                        "\xC3\x89t\xC3\xA9",
                        "\xC3\xA9t\xC3\xA9~2",
                        "\xCE\xA3",
                        "\xCF\x83~2"};
  std::vector<SetSound> sounds;
  for (const char* n : names) sounds.push_back({n, 1, 1, {}});
  const std::vector<std::string> files = SetFileNames(sounds);
  ASSERT_EQ(files.size(), sounds.size());
  for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(files[i], want[i]) << names[i];
  sounds.push_back({"later", 1, 1, {}});
  EXPECT_EQ(SetFileNames(sounds)[12], "jump~2") << "a later sound renamed an earlier file";
}

TEST(SoundSet, RenderIsTheGamesRoadFromAnyEarlierState) {
  SetSound noise = Designed("noise", 4242, 2, 1);  // explosion: noise, draws while it plays
  GeneratorObject object = CreateGeneratorObject(true, noise.bufferLength);
  SeedRandom(noise.seed);
  const std::vector<uint8_t> sfs = SetSoundParamFile(noise);  // its block is bits: a file
  ASSERT_TRUE(LoadParamsFromBytes(object.generator->params, sfs.data(), sfs.size()));
  const uint32_t bytes =
      RenderToWaveBuffer(*object.generator, object.waveBuffer, object.waveCapacity);
  const std::vector<uint8_t> game(object.waveBuffer, object.waveBuffer + kWaveHeaderBytes + bytes);
  EXPECT_EQ(BlockOf(object.generator->params), noise.block);
  ReleaseGeneratorObject(object);
  SeedRandom(99);
  EXPECT_EQ(RenderSetSound(noise), game);
  EXPECT_EQ(RenderSetSound(noise), game);
}

TEST(SoundSet, EventListingLoadsEachSoundByItsOwnRoad) {
  std::vector<SetSound> sounds = {Designed("coin", 3, 0, 5), Designed("a\\b", 8, 2, 2),
                                  Designed("big", 9, 3, 5)};
  GeneratorParams coin{};
  LoadVariablesFromCsv(coin, kCoin);
  sounds[0].block = BlockOf(coin);
  sounds[1].block[0] = 0x7FC00000u;  // NaN volume: no CSV text holds it
  sounds[2].seed = 4294967295u;
  const std::string text = SetEventListing(sounds, SetFileNames(sounds), "game.zus");
  const std::string arrow = "      \xE2\x86\x92 ";
  EXPECT_NE(text.find("Zider Uzazir 1: set its property \"Buffer length\" to 2.\n\n"
                      "    Start of frame\n" +
                      arrow + "Zider Uzazir 1: Set random seed to 8\n" + arrow +
                      "Zider Uzazir 1: Load SFX sample file Apppath$ + \"sounds\\a_b.sfs\"\n" +
                      arrow + "Zider Uzazir 1: Generate sound\n" + arrow +
                      "Zider Uzazir 1: Add generated sound as \"a\\b\"\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(arrow + "Zider Uzazir 2: Load variables from CSV string \"" + kCoin + "\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("Zider Uzazir 2: Set random seed to -1\n"), std::string::npos);
  EXPECT_NE(text.find("    \"a\\b\" \xE2\x86\x92 a_b.wav, a_b.sfs\n"), std::string::npos);
  EXPECT_EQ(text.find("\"coin\" \xE2\x86\x92"), std::string::npos);
  // The object's and the property's names are the editor's own.
  EXPECT_STREQ(kSetObjectName, kObjName);
  EXPECT_STREQ(kBufferLengthProperty, kPropertyTable[2].name);
}

TEST(SoundSet, CInterfaceKeepsTheSetWholeOnRefusal) {
  const std::string text = SetOf("# name\tbuffer length\tseed\tblock\njump\t5\t1\t" +
                                 std::string(kCoin) + "\nCON\t2\t9\t" + kCoin + "\n");
  ASSERT_EQ(zu_set_read(text.data(), static_cast<uint32_t>(text.size())), 2);
  const std::string bad = SetOf("x\t5");
  EXPECT_EQ(zu_set_read(bad.data(), static_cast<uint32_t>(bad.size())), -1);
  EXPECT_STREQ(zu_set_error(),
               "line 2, column 4: expected a tab, then a seed from 1 to 4294967295");
  EXPECT_EQ(zu_set_add("jump", 1, 1, zu_set_block(0)), -1) << "a duplicate name was added";
  EXPECT_STREQ(zu_set_name_problem("jump", 0), "");
  EXPECT_STREQ(zu_set_name_problem("jump", 1), "expected a name not used by another sound");
  ASSERT_EQ(zu_set_add("Jump", 10, 4294967295u, zu_set_block(1)), 2);
  EXPECT_STREQ(zu_set_file_name(1), "_CON");
  EXPECT_EQ(zu_set_write(), text + "Jump\t10\t4294967295\t" + kCoin + "\n");
  const uint8_t* sfs = zu_set_sfs(2);
  GeneratorParams loaded{};
  ASSERT_TRUE(LoadParamsFromBytes(loaded, sfs, zu_set_image_size()));
  EXPECT_EQ(FormatVariablesAsCsv(loaded), kCoin);
  zu_set_clear();
}

}  // namespace
}  // namespace zu
