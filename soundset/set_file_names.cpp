#include "soundset/set_file_names.h"

#include <cstring>
#include <unordered_set>

namespace zu {
namespace {

bool IsForbidden(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

std::string AsciiUpper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

bool IsDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  stem = AsciiUpper(stem);
  static const char* const kPlain[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kPlain) {
    if (stem == device) return true;
  }
  if (stem.size() < 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) {
    return false;
  }
  const std::string digit = stem.substr(3);
  return (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') || digit == "\xC2\xB9" ||
         digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

// Lower case of one code point, for the letters the name comparison folds.
uint32_t FoldCase(uint32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c == 0x178) return 0xFF;
  const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
  const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) return c + 1;
  return c;
}

// The name as a case-free key, code point by code point (valid UTF-8 in).
std::u32string CaseKey(const std::string& name) {
  std::u32string key;
  for (size_t i = 0; i < name.size();) {
    const auto c = static_cast<unsigned char>(name[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    uint32_t cp = n == 1 ? c : c & (0x3Fu >> (n - 1));
    for (size_t k = 1; k < n && i + k < name.size(); ++k) {
      cp = cp << 6 | (static_cast<unsigned char>(name[i + k]) & 0x3Fu);
    }
    key += static_cast<char32_t>(FoldCase(cp));
    i += n;
  }
  return key;
}

std::string SafeName(const std::string& name) {
  std::string safe = name;
  for (char& c : safe) {
    if (IsForbidden(static_cast<unsigned char>(c))) c = '_';
  }
  if (!safe.empty() && safe[0] == '.') safe[0] = '_';
  for (size_t i = safe.size(); i > 0 && (safe[i - 1] == '.' || safe[i - 1] == ' '); --i) {
    safe[i - 1] = '_';
  }
  if (safe.empty()) safe = "_";
  if (IsDeviceName(safe)) safe.insert(0, "_");
  return safe;
}

}  // namespace

std::vector<std::string> SetFileNames(const std::vector<SetSound>& sounds) {
  std::vector<std::string> names;
  names.reserve(sounds.size());
  std::unordered_set<std::u32string> used;
  for (const SetSound& sound : sounds) {
    const std::string safe = SafeName(sound.name);
    std::string name = safe;
    for (unsigned n = 2; !used.insert(CaseKey(name)).second; ++n) {
      name = safe + "~" + std::to_string(n);
    }
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace zu
