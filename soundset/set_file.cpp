#include "soundset/set_file.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "fileio/safe_file.h"

namespace zu {

bool ReadSoundSetFile(const char* path, std::vector<SetSound>* sounds, std::string* error) {
  const std::string shown = PrintableName(path);
  // The size first, so that a huge file is refused without reading it.
  uintmax_t size = kSetMaxFileBytes;
  std::error_code code;
  const auto status = std::filesystem::status(path, code);
  if (!code && std::filesystem::is_regular_file(status)) {
    const uintmax_t known = std::filesystem::file_size(path, code);
    if (!code) size = known;
  }
  // ReadFileStart refuses what is not a regular file; one byte more than the
  // size shows a file that is larger than the limit or grew since.
  std::vector<uint8_t> image(
      static_cast<size_t>(size < kSetMaxFileBytes ? size : kSetMaxFileBytes) + 1);
  size_t got = 0;
  if (size <= kSetMaxFileBytes && !ReadFileStart(path, image.data(), image.size(), &got, error)) {
    return false;
  }
  if (size > kSetMaxFileBytes || got > kSetMaxFileBytes) {
    *error = shown + ": a set file holds at most " + std::to_string(kSetMaxFileBytes) +
             " bytes, found " + (size > kSetMaxFileBytes ? std::to_string(size) : "more");
    return false;
  }
  if (got == image.size()) {
    *error = "cannot read " + shown + ": it changed while it was read";
    return false;
  }
  std::string why;
  if (!ReadSoundSet(reinterpret_cast<const char*>(image.data()), got, sounds, &why)) {
    *error = shown + ": " + why;
    return false;
  }
  return true;
}

}  // namespace zu
