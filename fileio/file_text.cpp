#include "fileio/file_text.h"

#include <new>

#include "fileio/safe_file.h"

namespace zu {

std::string PrintableName(const char* text) {
  if (text == nullptr) text = "";
  bool plain = *text != '\0';
  for (const char* c = text; *c != '\0'; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    if (u < 0x20 || u == 0x7F) plain = false;
  }
  if (plain) return text;
  static const char kHex[] = "0123456789abcdef";
  std::string shown = "\"";
  for (const char* c = text; *c != '\0'; ++c) {
    const unsigned char u = static_cast<unsigned char>(*c);
    switch (u) {
      case '\n':
        shown += "\\n";
        break;
      case '\r':
        shown += "\\r";
        break;
      case '\t':
        shown += "\\t";
        break;
      case '"':
      case '\\':
        shown += '\\';
        shown += static_cast<char>(u);
        break;
      default:
        if (u < 0x20 || u == 0x7F) {
          shown += "\\x";
          shown += kHex[u >> 4];
          shown += kHex[u & 15];
        } else {
          shown += static_cast<char>(u);
        }
    }
  }
  return shown + "\"";
}

namespace fileio {

bool Failure(std::string* error, const char* verb, const char* path, const std::string& cause) {
  if (error != nullptr)
    *error = std::string("cannot ") + verb + " " + PrintableName(path) + ": " + cause;
  return false;
}

bool Failure(std::string* error, const char* verb, const char* path, const char* cause) {
  return error == nullptr ? false : Failure(error, verb, path, std::string(cause));
}

bool AllocateWhole(uint64_t size, size_t limit, const char* path, FileBytes* out,
                   std::string* error) {
  if (size > limit) {
    if (error == nullptr) return false;
    return Failure(error, "read", path,
                   "too large (" + std::to_string(size) + " bytes; at most " +
                       std::to_string(limit) + " can be read)");
  }
  const size_t room = size == 0 ? 1 : static_cast<size_t>(size);
  out->data.reset(new (std::nothrow) uint8_t[room]);
  if (out->data == nullptr) {
    if (error == nullptr) return false;
    return Failure(error, "read", path,
                   "not enough memory to hold its " + std::to_string(size) + " bytes");
  }
  out->size = static_cast<size_t>(size);
  return true;
}

std::string FolderOf(const std::string& path, const char* separators) {
  const size_t last = path.find_last_of(separators);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string TempName(const uint8_t (&random)[kTempNameRandomBytes]) {
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz234567";
  uint64_t bits = 0;
  for (uint8_t b : random) bits = (bits << 8) | b;
  std::string name = ".zu";
  for (int i = 0; i < 13; ++i, bits >>= 5) name += kDigits[bits & 31];
  return name + ".tmp";
}

}  // namespace fileio
}  // namespace zu
