// The file facility on every platform (natively and under Wine). The POSIX
// cases that need links, FIFOs, modes, devices or two processes are checked
// through the tool in tests/tools/.
#include "fileio/safe_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zu {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zu_safe_file_" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    for (const auto& e : fs::directory_iterator(dir_))
      fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  std::string PathOf(const char* name) const { return (dir_ / name).string(); }
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  static std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir_;
};

TEST_F(SafeFileTest, ReplacesWholeAndLeavesOnlyTheTarget) {
  const std::string path = PathOf("t.bin");
  // A stray temporary of the kind that once blocked every save of t.bin.
  fs::create_directory(PathOf("t.bin.tmp~0"));
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "abcd", 4));
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "xy", 2));
  EXPECT_EQ(Content(path), "xy");
  ASSERT_TRUE(WriteFileWhole(path.c_str(), nullptr, 0));
  EXPECT_EQ(Content(path), "");
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(SafeFileTest, RefusedWritesKeepTheOldFileAndSayWhy) {
  std::string error;
  EXPECT_FALSE(WriteFileWhole(dir_.string().c_str(), "x", 1, &error));
  EXPECT_EQ(error, "cannot write " + dir_.string() + ": Is a directory");
  EXPECT_FALSE(WriteFileWhole(PathOf("no/such/x").c_str(), "x", 1, &error));
  EXPECT_EQ(error.rfind("cannot write " + PathOf("no/such/x") + ": ", 0), 0u) << error;

#ifndef _WIN32
  if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
#endif
  const std::string path = PathOf("keep.bin");
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "old", 3));
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(WriteFileWhole(path.c_str(), "new", 3, &error));
  EXPECT_EQ(error.rfind("cannot write " + path + ": ", 0), 0u) << error;
  EXPECT_EQ(Content(path), "old");
  EXPECT_EQ(EntryCount(), 1u);
}

#ifdef _WIN32
// A replaced file keeps its attributes; the new content is complete.
TEST_F(SafeFileTest, ReplacedFileKeepsItsAttributes) {
  const std::string path = PathOf("a.bin");
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "old", 3));
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), kept));
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "new content", 11));
  EXPECT_EQ(GetFileAttributesA(path.c_str()), kept | FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Content(path), "new content");
  EXPECT_EQ(EntryCount(), 1u);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
}
#endif

TEST_F(SafeFileTest, ReadsAtMostTheCapacityOfARegularFile) {
  const std::string path = PathOf("r.bin");
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "0123456789", 10));
  uint8_t buffer[4] = {};
  size_t got = 99;
  ASSERT_TRUE(ReadFileStart(path.c_str(), buffer, sizeof buffer, &got));
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(std::string(buffer, buffer + 4), "0123");

  std::string error;
  EXPECT_FALSE(ReadFileStart(dir_.string().c_str(), buffer, sizeof buffer, &got, &error));
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(error, "cannot read " + dir_.string() + ": Is a directory");
  EXPECT_FALSE(ReadFileStart(PathOf("missing").c_str(), buffer, sizeof buffer, &got, &error));
  EXPECT_EQ(error.rfind("cannot read " + PathOf("missing") + ": ", 0), 0u) << error;
}

TEST_F(SafeFileTest, ReadsAWholeRegularFileWithinTheLimit) {
  const std::string path = PathOf("w.bin");
  ASSERT_TRUE(WriteFileWhole(path.c_str(), "0123456789", 10));
  FileBytes file;
  ASSERT_TRUE(ReadFileWhole(path.c_str(), 10, &file));
  EXPECT_EQ(std::string(file.data.get(), file.data.get() + file.size), "0123456789");

  std::string error;
  EXPECT_FALSE(ReadFileWhole(path.c_str(), 9, &file, &error));
  EXPECT_EQ(file.data, nullptr);
  EXPECT_EQ(error, "cannot read " + path + ": too large (10 bytes; at most 9 can be read)");
  ASSERT_TRUE(WriteFileWhole(path.c_str(), nullptr, 0));
  ASSERT_TRUE(ReadFileWhole(path.c_str(), 0, &file));
  EXPECT_NE(file.data, nullptr);  // an empty file still has an address
  EXPECT_EQ(file.size, 0u);
#ifdef _WIN32
  const char* device = "NUL";
#else
  const char* device = "/dev/zero";
#endif
  EXPECT_FALSE(ReadFileWhole(device, 100, &file, &error));
  EXPECT_EQ(error, std::string("cannot read ") + device + ": not a regular file (" +
                       (device[0] == '/' ? "a character device)" : "a device)"));
}

TEST(PrintableName, KeepsTheMessageOnOneLine) {
  EXPECT_EQ(PrintableName("C:\\sounds\\a b.wav"), "C:\\sounds\\a b.wav");
  EXPECT_EQ(PrintableName("a\nb\"\\\x01"), "\"a\\nb\\\"\\\\\\x01\"");
  EXPECT_EQ(PrintableName(""), "\"\"");
}

}  // namespace
}  // namespace zu
