#pragma once
// Pieces shared by the POSIX and the Windows implementation of safe_file.h:
// failure lines, folder names and temporary file names.

#include <cstdint>
#include <string>

namespace zu {
namespace fileio {

/// Tries at most this many fresh temporary names before giving up.
constexpr int kTempNameAttempts = 100;
/// Random bytes that make one temporary name (64 bits).
constexpr int kTempNameRandomBytes = 8;

/// Sets *error (when given) to "cannot VERB NAME: CAUSE" and returns false.
bool Failure(std::string* error, const char* verb, const char* path, const std::string& cause);

/// The folder part of path including its last separator (one of separators),
/// or "" when path has none: FolderOf(p) + name names a file beside p.
std::string FolderOf(const std::string& path, const char* separators);

/// A hidden 20-character name ".zu" + 13 letters or digits + ".tmp" made from
/// the random bytes; short, so it fits wherever the target's name fits.
std::string TempName(const uint8_t (&random)[kTempNameRandomBytes]);

}  // namespace fileio
}  // namespace zu
