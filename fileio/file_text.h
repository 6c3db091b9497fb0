#pragma once
// Pieces shared by the POSIX and the Windows implementation of safe_file.h:
// failure lines, folder names and temporary file names.

#include <cstdint>
#include <string>

#include "fileio/safe_file.h"

namespace zu {
namespace fileio {

/// Tries at most this many fresh temporary names before giving up.
constexpr int kTempNameAttempts = 100;
/// Random bytes that make one temporary name (64 bits).
constexpr int kTempNameRandomBytes = 8;

/// Sets *error (when given) to "cannot VERB NAME: CAUSE" and returns false.
bool Failure(std::string* error, const char* verb, const char* path, const std::string& cause);

/// Failure with a constant cause: builds no text (so allocates nothing) when
/// error is null.
bool Failure(std::string* error, const char* verb, const char* path, const char* cause);

/// Room for a whole file of `size` bytes (one byte at least, so that an empty
/// file still has an address) in *out, or false with *error set when the size
/// is above `limit` or the memory cannot be had.
bool AllocateWhole(uint64_t size, size_t limit, const char* path, FileBytes* out,
                   std::string* error);

/// The folder part of path including its last separator (one of separators),
/// or "" when path has none: FolderOf(p) + name names a file beside p.
std::string FolderOf(const std::string& path, const char* separators);

/// A hidden 20-character name ".zu" + 13 letters or digits + ".tmp" made from
/// the random bytes; short, so it fits wherever the target's name fits.
std::string TempName(const uint8_t (&random)[kTempNameRandomBytes]);

}  // namespace fileio
}  // namespace zu
