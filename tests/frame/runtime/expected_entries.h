#pragma once
// The descriptor words every entry must have, written independently of the
// module's table: per entry its parameter types as letters and its flags.

#include <cstdint>
#include <cstring>
#include <vector>

#include "frame/ace_kinds.h"

namespace zu {

/// The expected parameter types per entry, written independently of the
/// table: T text (45), N number (22), F file (63), i integer (1), s string (3).
inline const char* const kConditionTypes[] = {"", "", "T", "T", "T", "", ""};
inline const uint16_t kConditionFlags[] = {0, 0, 34, 34, 34, 0, 0};
inline const char* const kActionTypes[] = {
    "TNN", "TN", "T", "",  "",   "",  "",    "",  "",   "",       "",   "",   "N",      "",   "N",
    "N",   "",   "T", "N", "TF", "N", "TNN", "T", "T",  "T",      "TN", "TN", "TN",     "TN", "N",
    "N",   "N",  "N", "N", "N",  "N", "N",   "N", "N",  "N",      "N",  "N",  "N",      "N",  "N",
    "N",   "N",  "N", "N", "N",  "N", "F",   "F", "TF", "TNNNNN", "NN", "T",  "TNNNNNN"};
inline const char* const kExpressionTypes[] = {
    "", "i", "s", "", "", "", "", "", "", "", "", "i", "", "",  "", "",  "", "",  "",
    "", "",  "",  "", "", "", "", "", "", "", "", "",  "", "i", "", "s", "", "s", "s"};
inline const uint16_t kExpressionFlags[] = {0, 1, 0, 1, 0, 2, 2, 2, 2, 2, 2, 2, 0,
                                            2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2,
                                            2, 2, 2, 2, 0, 0, 2, 1, 0, 0, 0, 0};

inline uint16_t TypeOf(char c) {
  switch (c) {
    case 'T':
      return 45;
    case 'N':
      return 22;
    case 'F':
      return 63;
    case 'i':
      return 1;
    case 's':
      return 3;
  }
  return 0xFFFF;
}

inline std::vector<uint16_t> ExpectedWords(AceKind kind, const char* const* types,
                                           const uint16_t* flags, int count) {
  std::vector<uint16_t> words;
  const uint16_t base = kind == AceKind::kCondition ? 26000
                        : kind == AceKind::kAction  ? 25000
                                                    : 27000;
  for (int k = 0; k < count; ++k) {
    const uint16_t id = static_cast<uint16_t>(base + 10 * k);
    const size_t n = std::strlen(types[k]);
    words.insert(words.end(), {id, id, static_cast<uint16_t>(k), flags ? flags[k] : uint16_t{0},
                               static_cast<uint16_t>(n)});
    for (size_t j = 0; j < n; ++j) words.push_back(TypeOf(types[k][j]));
    for (size_t j = 0; j < n; ++j) {
      words.push_back(kind == AceKind::kExpression ? 0 : static_cast<uint16_t>(id + 1 + j));
    }
  }
  return words;
}

}  // namespace zu
