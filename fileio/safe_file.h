#pragma once
// Whole small files written safely and read without surprises. Every file the
// module or the tool writes goes through WriteFileWhole: it appears whole or
// not at all, never through a name another process can predict or plant.
//
// One interface, two implementations chosen by the build: safe_file_posix.cpp
// (open with O_EXCL | O_NOFOLLOW, rename) and win/safe_file_win.cpp
// (CreateFile with CREATE_NEW, ReplaceFile, or MoveFileEx with replace where
// there is nothing to replace).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zu {

/// Writes size bytes from data to path (8-bit, relative to the current
/// directory) and returns true when all of them are stored.
/// - No file or a regular file: the bytes go to a new file made exclusively
///   under an unpredictable short name in the same folder, are flushed and
///   checked, and the new file then replaces path in one step. Concurrent
///   writers each leave either their complete file or none. A replaced file
///   keeps its permission bits (on Windows its attributes, such as hidden and
///   system, and its own security); a read-only file is refused.
/// - A symbolic link: the file it leads to is written as above; the link stays.
/// - Anything else that exists (a device, a FIFO): written directly, every
///   write checked. A folder is refused.
/// On failure no temporary file is left, an existing regular file is as it
/// was, and *error (when given) holds one line: "cannot write NAME: cause".
bool WriteFileWhole(const char* path, const void* data, size_t size, std::string* error = nullptr);

/// Reads the first bytes, at most capacity, of the regular file at path into
/// buffer; *got is the number read. Anything but a regular file (a folder, a
/// FIFO, a device) is refused at once, without waiting for a writer. On
/// failure *got is 0 and *error (when given) holds one line:
/// "cannot read NAME: cause".
bool ReadFileStart(const char* path, uint8_t* buffer, size_t capacity, size_t* got,
                   std::string* error = nullptr);

/// A whole file's bytes in memory.
struct FileBytes {
  std::unique_ptr<uint8_t[]> data;  ///< never null after a successful read
  size_t size = 0;                  ///< bytes held (0 for an empty file)
};

/// Reads the whole regular file at path into memory. Anything but a regular
/// file (a folder, a FIFO or pipe, a device) is refused at once, without
/// waiting for a writer; so are a file of more than `limit` bytes, one for
/// which no memory can be had, and one whose length changes while it is read.
/// On failure *out is empty and *error (when given) holds one line: "cannot
/// read NAME: cause"; without `error` a failure allocates nothing.
bool ReadFileWhole(const char* path, size_t limit, FileBytes* out, std::string* error = nullptr);

/// text as it is shown in a one-line message: unchanged when it holds no
/// control character, otherwise in double quotes with C escapes (\n, \t,
/// \xHH; \" and \\), so a newline in a file name cannot break the line.
std::string PrintableName(const char* text);

}  // namespace zu
