// safe_file.h on Windows: a temporary made with CreateFile(CREATE_NEW) under a
// random name beside the target, written, flushed, closed, then put in the
// target's place with ReplaceFile (which keeps the replaced file's attributes,
// security and creation time), or with MoveFileEx(MOVEFILE_REPLACE_EXISTING)
// where there is nothing to replace or the file system cannot replace.
#include <windows.h>
// After windows.h:
#include <ntsecapi.h>

#include <string>

#include "fileio/file_text.h"
#include "fileio/safe_file.h"

namespace zu {
namespace {

using fileio::Failure;

const char kSeparators[] = "\\/:";

// The system's text for an error code, without its final full stop.
std::string Cause(DWORD code) {
  char text[256];
  DWORD n =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                     MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), text, sizeof text, nullptr);
  if (n == 0) {
    n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, sizeof text, nullptr);
  }
  std::string cause(text, n);
  while (!cause.empty() && (cause.back() == '.' || static_cast<unsigned char>(cause.back()) <= ' '))
    cause.pop_back();
  return cause.empty() ? "error " + std::to_string(code) : cause;
}

bool FailureCode(std::string* error, const char* verb, const char* path, DWORD code) {
  if (error == nullptr) return false;  // no text, no allocation
  return Failure(error, verb, path, Cause(code));
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

// The path a symbolic link or junction leads to; the path itself otherwise.
bool ResolveLinks(const char* path, DWORD attributes, std::string* target) {
  *target = path;
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return true;
  HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  char final[MAX_PATH * 4];
  const DWORD n = GetFinalPathNameByHandleA(h, final, sizeof final, FILE_NAME_NORMALIZED);
  const DWORD code = GetLastError();
  CloseHandle(h);
  if (n == 0 || n >= sizeof final) {
    SetLastError(n == 0 ? code : ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  target->assign(final, n);
  return true;
}

// FILE_TYPE_DISK for a file on disk, FILE_TYPE_CHAR or FILE_TYPE_PIPE for a
// device or a pipe, FILE_TYPE_UNKNOWN when nothing can be opened there.
DWORD TypeOf(const std::string& target) {
  HANDLE h = CreateFileA(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FILE_TYPE_UNKNOWN;
  const DWORD type = GetFileType(h);
  CloseHandle(h);
  return type;
}

// A device or a pipe: written in place, since it cannot be replaced.
bool WriteInPlace(const char* path, const std::string& target, const uint8_t* data, size_t size,
                  std::string* error) {
  HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FailureCode(error, "write", path, GetLastError());
  const bool written = WriteAll(h, data, size);
  const DWORD code = GetLastError();
  CloseHandle(h);
  return written || FailureCode(error, "write", path, code);
}

// Attributes a replaced file hands on. ReplaceFile carries them itself; the
// new file also gets them when it is made, so that they survive the fallback
// move and implementations of ReplaceFile that keep only the content.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// ReplaceFile errors after which the plain move is the way: the target went
// away (before or during the call, which then leaves the new file under its
// own name), or the file system does not support replacing.
bool ReplaceNotPossible(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
         code == ERROR_INVALID_FUNCTION || code == ERROR_NOT_SUPPORTED ||
         code == ERROR_INVALID_PARAMETER || code == ERROR_CALL_NOT_IMPLEMENTED;
}

// True when target may be deleted now (not held open without delete
// sharing, not denied); false with the last error set otherwise.
bool CanDelete(const std::string& target) {
  HANDLE h =
      CreateFileA(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// Puts the complete file temp in target's place; false with the last error set.
bool PutInPlace(const std::string& temp, const std::string& target, bool targetExists) {
  // Replacing deletes the old file either way. Asked first, since a failing
  // ReplaceFile may leave an empty backup file of its own beside the target
  // (seen with Wine).
  if (targetExists && !CanDelete(target)) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    targetExists = false;
  }
  if (targetExists) {
    // Merge errors (an ACL that cannot be copied) do not stop a save.
    if (ReplaceFileA(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
      return true;
    const DWORD code = GetLastError();
    if (!ReplaceNotPossible(code)) return false;
  }
  return MoveFileExA(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// A new file beside target, put in its place once complete. targetAttributes
// are those of the file replaced, INVALID_FILE_ATTRIBUTES when there is none.
bool WriteAndReplace(const char* path, const std::string& target, DWORD targetAttributes,
                     const uint8_t* data, size_t size, std::string* error) {
  const bool targetExists = targetAttributes != INVALID_FILE_ATTRIBUTES;
  const DWORD createAttributes = targetExists && (targetAttributes & kKeptAttributes)
                                     ? targetAttributes & kKeptAttributes
                                     : FILE_ATTRIBUTE_NORMAL;
  const std::string folder = fileio::FolderOf(target, kSeparators);
  std::string temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 0; h == INVALID_HANDLE_VALUE && attempt < fileio::kTempNameAttempts;
       ++attempt) {
    uint8_t random[fileio::kTempNameRandomBytes];
    if (!RtlGenRandom(random, sizeof random))
      return FailureCode(error, "write", path, GetLastError());
    temp = folder + fileio::TempName(random);
    h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, createAttributes, nullptr);
    const DWORD code = GetLastError();
    if (h == INVALID_HANDLE_VALUE && code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS)
      return FailureCode(error, "write", path, code);
  }
  if (h == INVALID_HANDLE_VALUE) return FailureCode(error, "write", path, ERROR_FILE_EXISTS);

  bool ok = WriteAll(h, data, size) && FlushFileBuffers(h);
  DWORD code = GetLastError();
  if (!CloseHandle(h) && ok) {
    ok = false;
    code = GetLastError();
  }
  if (ok && !PutInPlace(temp, target, targetExists)) {
    ok = false;
    code = GetLastError();
  }
  if (ok) return true;
  DeleteFileA(temp.c_str());
  return FailureCode(error, "write", path, code);
}

// Opens path for reading when it is a file on disk; the handle, or
// INVALID_HANDLE_VALUE with *error set. A device ("CON", "NUL", ...) or a
// pipe is refused before anything is read from it.
HANDLE OpenRegular(const char* path, std::string* error) {
  if (path == nullptr || *path == '\0') {
    Failure(error, "read", "", "no file name");
    return INVALID_HANDLE_VALUE;
  }
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Failure(error, "read", path, "Is a directory");
    return INVALID_HANDLE_VALUE;
  }
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    FailureCode(error, "read", path, GetLastError());
    return INVALID_HANDLE_VALUE;
  }
  const DWORD type = GetFileType(h);
  if (type == FILE_TYPE_DISK) return h;
  CloseHandle(h);
  Failure(error, "read", path,
          type == FILE_TYPE_PIPE ? "not a regular file (a pipe)" : "not a regular file (a device)");
  return INVALID_HANDLE_VALUE;
}

// Reads until capacity bytes are in buffer or the file ends; *total counts
// them. False with the last error set on a read error.
bool ReadUpTo(HANDLE h, uint8_t* buffer, size_t capacity, size_t* total) {
  *total = 0;
  while (*total < capacity) {
    const size_t left = capacity - *total;
    const DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
    DWORD n = 0;
    if (!ReadFile(h, buffer + *total, chunk, &n, nullptr)) return false;
    if (n == 0) break;
    *total += n;
  }
  return true;
}

}  // namespace

bool WriteFileWhole(const char* path, const void* data, size_t size, std::string* error) {
  if (path == nullptr || *path == '\0') return Failure(error, "write", "", "no file name");
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  std::string target;
  if (!ResolveLinks(path, GetFileAttributesA(path), &target))
    return FailureCode(error, "write", path, GetLastError());
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Failure(error, "write", path, "Is a directory");
  // The replacing move would refuse it too, but only after all the writing.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    return FailureCode(error, "write", path, ERROR_ACCESS_DENIED);
  const DWORD type = TypeOf(target);
  if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE)
    return WriteInPlace(path, target, bytes, size, error);
  return WriteAndReplace(path, target, attributes, bytes, size, error);
}

bool ReadFileStart(const char* path, uint8_t* buffer, size_t capacity, size_t* got,
                   std::string* error) {
  *got = 0;
  const HANDLE h = OpenRegular(path, error);
  if (h == INVALID_HANDLE_VALUE) return false;
  size_t total = 0;
  const bool ok = ReadUpTo(h, buffer, capacity, &total);
  const DWORD code = GetLastError();
  CloseHandle(h);
  if (!ok) return FailureCode(error, "read", path, code);
  *got = total;
  return true;
}

bool ReadFileWhole(const char* path, size_t limit, FileBytes* out, std::string* error) {
  *out = FileBytes();
  const HANDLE h = OpenRegular(path, error);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) {
    const DWORD code = GetLastError();
    CloseHandle(h);
    return FailureCode(error, "read", path, code);
  }
  if (!fileio::AllocateWhole(static_cast<uint64_t>(size.QuadPart), limit, path, out, error)) {
    CloseHandle(h);
    return false;
  }
  size_t total = 0;
  uint8_t beyond = 0;
  size_t more = 0;
  const bool ok = ReadUpTo(h, out->data.get(), out->size, &total) && ReadUpTo(h, &beyond, 1, &more);
  const DWORD code = GetLastError();
  CloseHandle(h);
  if (ok && total == out->size && more == 0) return true;
  const size_t expected = out->size;
  *out = FileBytes();
  if (!ok) return FailureCode(error, "read", path, code);
  return fileio::Failure(
      error, "read", path,
      expected == total ? "it grew while being read" : "it shrank while being read");
}

}  // namespace zu
