#include "soundset/sound_set.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "generator/csv_text.h"
#include "generator/variables.h"

namespace zu {
namespace {

constexpr char kBitsPrefix[] = "bits:";
constexpr size_t kBitsPrefixBytes = sizeof kBitsPrefix - 1;
constexpr char kColumnsComment[] = "# name\tbuffer length\tseed\tblock";

// Offset of the first byte that is not part of valid UTF-8 (overlong forms,
// surrogates and values above U+10FFFF refused), or size when all are valid.
size_t InvalidUtf8At(const char* text, size_t size) {
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  size_t i = 0;
  while (i < size) {
    const unsigned c = s[i];
    size_t extra = 0;
    unsigned low = 0x80, high = 0xBF;  // range of the first continuation byte
    if (c < 0x80) {
      extra = 0;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    } else {
      return i;
    }
    for (size_t k = 1; k <= extra; ++k) {
      if (i + k >= size) return i;
      const unsigned t = s[i + k];
      if (t < (k == 1 ? low : 0x80) || t > (k == 1 ? high : 0xBF)) return i;
    }
    i += extra + 1;
  }
  return size;
}

// 1-based character column of a byte offset in valid UTF-8.
size_t ColumnOf(const char* text, size_t offset) {
  size_t column = 1;
  for (size_t i = 0; i < offset; ++i)
    column += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
  return column;
}

// One line of the file without its line end.
struct Line {
  const char* text;
  size_t size;
  size_t number;
};

bool Fail(std::string* error, const Line& line, size_t offset, const std::string& expected) {
  *error = "line " + std::to_string(line.number) + ", column " +
           std::to_string(ColumnOf(line.text, offset)) + ": expected " + expected;
  return false;
}

// A decimal number without sign or leading zero, at most max.
bool ParseCount(const std::string& field, uint64_t min, uint64_t max, uint32_t* out) {
  if (field.empty() || field.size() > 10 || (field[0] == '0' && field.size() > 1)) return false;
  uint64_t v = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  if (v < min || v > max) return false;
  *out = static_cast<uint32_t>(v);
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "bits:" and 24 words; on failure the offset within field of the fault.
bool ParseBits(const std::string& field, SetBlock* block, size_t* bad, std::string* expected) {
  size_t at = kBitsPrefixBytes;
  for (int i = 0; i < kVariableCount; ++i) {
    uint32_t word = 0;
    for (int d = 0; d < 8; ++d, ++at) {
      const int digit = at < field.size() ? HexDigit(field[at]) : -1;
      if (digit < 0) {
        *bad = at;
        *expected = "a hexadecimal digit (word " + std::to_string(i + 1) + " of 24, 8 digits)";
        return false;
      }
      word = word << 4 | static_cast<uint32_t>(digit);
    }
    (*block)[i] = word;
    const char want = i + 1 < kVariableCount ? ',' : '\0';
    const char got = at < field.size() ? field[at] : '\0';
    if (got != want) {
      *bad = at;
      *expected = want == ',' ? "a comma after word " + std::to_string(i + 1) + " of 24"
                              : std::string("the end of the line after the 24th word");
      return false;
    }
    ++at;
  }
  return true;
}

// One CSV field: empty, or digits with an optional minus and an optional
// point followed by digits.
bool IsCsvNumber(const char* s, size_t n) {
  if (n == 0) return true;
  size_t i = s[0] == '-' ? 1 : 0;
  const size_t digits = i;
  while (i < n && s[i] >= '0' && s[i] <= '9') ++i;
  if (i == digits) return false;
  if (i == n) return true;
  if (s[i] != '.') return false;
  const size_t fraction = ++i;
  while (i < n && s[i] >= '0' && s[i] <= '9') ++i;
  return i == n && i > fraction;
}

// 24 CSV fields, loaded as the game's "Load variables from CSV string" does.
bool ParseCsv(const std::string& field, SetBlock* block, size_t* bad, std::string* expected) {
  size_t start = 0;
  for (int i = 0; i < kVariableCount; ++i) {
    size_t end = field.find(',', start);
    if (end == std::string::npos) end = field.size();
    if (!IsCsvNumber(field.data() + start, end - start)) {
      *bad = start;
      *expected = "a number such as -0.2500 or an empty field (field " + std::to_string(i + 1) +
                  " of 24), or bits:";
      return false;
    }
    if (i + 1 < kVariableCount && end == field.size()) {
      *bad = end;
      *expected = "24 comma-separated fields, found " + std::to_string(i + 1);
      return false;
    }
    start = end + 1;
  }
  if (start <= field.size()) {
    *bad = start - 1;
    *expected = "the end of the line after the 24th field";
    return false;
  }
  GeneratorParams params{};
  params.Reset();
  LoadVariablesFromCsv(params, field.c_str());
  *block = BlockOf(params);
  return true;
}

// The line's fields split at tabs, with their offsets.
std::vector<std::pair<std::string, size_t>> SplitTabs(const Line& line) {
  std::vector<std::pair<std::string, size_t>> fields;
  size_t start = 0;
  for (;;) {
    const void* tab = std::memchr(line.text + start, '\t', line.size - start);
    const size_t end =
        tab ? static_cast<size_t>(static_cast<const char*>(tab) - line.text) : line.size;
    fields.emplace_back(std::string(line.text + start, end - start), start);
    if (!tab) return fields;
    start = end + 1;
  }
}

// Byte checks every line passes first: length, NUL, UTF-8.
bool CheckLineBytes(const Line& line, std::string* error) {
  if (line.size > kSetMaxLineBytes) {
    return Fail(error, line, 0,
                "a line of at most " + std::to_string(kSetMaxLineBytes) + " bytes, found " +
                    std::to_string(line.size));
  }
  if (const void* nul = std::memchr(line.text, '\0', line.size)) {
    return Fail(error, line, static_cast<size_t>(static_cast<const char*>(nul) - line.text),
                "text, found a NUL byte");
  }
  const size_t bad = InvalidUtf8At(line.text, line.size);
  if (bad != line.size) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(line.text[bad]));
    return Fail(error, line, bad, std::string("UTF-8 text, found the byte ") + hex);
  }
  return true;
}

bool ParseSoundLine(const Line& line, SetSound* sound, std::string* error) {
  const auto fields = SplitTabs(line);
  const std::string problem = SoundNameProblem(fields[0].first);
  if (!problem.empty()) return Fail(error, line, 0, problem);
  const char* const kWhat[] = {"", "a buffer length from 0 to 10", "a seed from 1 to 4294967295",
                               "the parameter block (CSV text or bits:)"};
  for (size_t i = 1; i < 4; ++i) {
    if (fields.size() <= i) {
      return Fail(error, line, line.size, std::string("a tab, then ") + kWhat[i]);
    }
  }
  if (fields.size() > 4) return Fail(error, line, fields[4].second - 1, "no tab after the block");
  sound->name = fields[0].first;
  if (!ParseCount(fields[1].first, 0, kSetMaxBufferLength, &sound->bufferLength)) {
    return Fail(error, line, fields[1].second, kWhat[1]);
  }
  if (!ParseCount(fields[2].first, 1, 4294967295u, &sound->seed)) {
    return Fail(error, line, fields[2].second, kWhat[2]);
  }
  const std::string& block = fields[3].first;
  size_t bad = 0;
  std::string expected;
  const bool bits = block.compare(0, kBitsPrefixBytes, kBitsPrefix) == 0;
  if (!(bits ? ParseBits(block, &sound->block, &bad, &expected)
             : ParseCsv(block, &sound->block, &bad, &expected))) {
    return Fail(error, line, fields[3].second + bad, expected);
  }
  return true;
}

// Splits the image into lines (LF or CR LF ends; a last line may lack one).
std::vector<Line> SplitLines(const char* data, size_t size) {
  std::vector<Line> lines;
  size_t start = 0, number = 1;
  while (start < size) {
    const void* lf = std::memchr(data + start, '\n', size - start);
    size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - data) : size;
    const size_t next = lf ? end + 1 : size;
    if (lf && end > start && data[end - 1] == '\r') --end;
    lines.push_back({data + start, end - start, number++});
    start = next;
  }
  return lines;
}

}  // namespace

// Bits are copied with memcpy only: a float passed by value may go through
// the x87 stack on i686, which would quiet a signalling NaN.
SetBlock BlockOf(const GeneratorParams& params) {
  GeneratorParams copy = params;
  SetBlock block{};
  for (int i = 0; i < kVariableCount; ++i) {
    if (i == 1) {
      block[i] = static_cast<uint32_t>(copy.waveType);
    } else {
      std::memcpy(&block[i], FloatVariable(copy, i), sizeof block[i]);
    }
  }
  return block;
}

void LoadBlock(GeneratorParams& params, const SetBlock& block) {
  for (int i = 0; i < kVariableCount; ++i) {
    if (i == 1) {
      params.waveType = static_cast<int32_t>(block[i]);
    } else {
      std::memcpy(FloatVariable(params, i), &block[i], sizeof block[i]);
    }
  }
}

bool IsCsvExact(const SetBlock& block) {
  GeneratorParams params{};
  params.Reset();
  LoadBlock(params, block);
  GeneratorParams loaded{};
  loaded.Reset();
  LoadVariablesFromCsv(loaded, FormatVariablesAsCsv(params).c_str());
  return BlockOf(loaded) == block;
}

std::string BlockText(const SetBlock& block) {
  if (IsCsvExact(block)) {
    GeneratorParams params{};
    params.Reset();
    LoadBlock(params, block);
    return FormatVariablesAsCsv(params);
  }
  std::string text = kBitsPrefix;
  char word[9];
  for (int i = 0; i < kVariableCount; ++i) {
    std::snprintf(word, sizeof word, "%08x", static_cast<unsigned>(block[i]));
    if (i > 0) text += ',';
    text += word;
  }
  return text;
}

std::string SoundNameProblem(const std::string& name) {
  if (name.empty() || name.size() > kSetNameMaxBytes) {
    return "a sound name of 1 to 127 bytes, found " + std::to_string(name.size());
  }
  if (InvalidUtf8At(name.data(), name.size()) != name.size()) return "a name in UTF-8";
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return "a name without tabs or control characters";
  }
  if (name[0] == '#') return "a name that does not start with # (a comment line)";
  return "";
}

std::string SoundSetProblem(const std::vector<SetSound>& sounds) {
  if (sounds.size() > kSetMaxSounds) return "a set holds at most 10000 sounds";
  std::unordered_map<std::string, size_t> seen;
  for (size_t i = 0; i < sounds.size(); ++i) {
    const SetSound& s = sounds[i];
    const std::string at = "sound " + std::to_string(i + 1) + ": ";
    const std::string problem = SoundNameProblem(s.name);
    if (!problem.empty()) return at + "expected " + problem;
    if (!seen.emplace(s.name, i).second) {
      return at + "the name is already used by sound " + std::to_string(seen[s.name] + 1);
    }
    if (s.bufferLength > kSetMaxBufferLength) return at + "expected a buffer length from 0 to 10";
    if (s.seed == 0) return at + "expected a seed from 1 to 4294967295";
  }
  return "";
}

bool ReadSoundSet(const char* data, size_t size, std::vector<SetSound>* sounds,
                  std::string* error) {
  if (size > kSetMaxFileBytes) {
    *error = "a set file holds at most " + std::to_string(kSetMaxFileBytes) + " bytes, found " +
             std::to_string(size);
    return false;
  }
  if (size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0) data += 3, size -= 3;  // BOM
  const std::vector<Line> lines = SplitLines(data, size);
  std::vector<SetSound> read;
  std::unordered_map<std::string, size_t> lineOfName;
  for (const Line& line : lines) {
    if (!CheckLineBytes(line, error)) return false;
    if (line.number == 1) {
      if (std::string(line.text, line.size) != kSetHeader) {
        return Fail(error, line, 0, std::string("the first line \"") + kSetHeader + "\"");
      }
      continue;
    }
    if (line.size == 0 || line.text[0] == '#') continue;
    if (read.size() == kSetMaxSounds) {
      return Fail(error, line, 0, "no more sounds (a set holds at most 10000)");
    }
    SetSound sound;
    if (!ParseSoundLine(line, &sound, error)) return false;
    const auto [it, added] = lineOfName.emplace(sound.name, line.number);
    if (!added) {
      return Fail(error, line, 0,
                  "a name not used before (line " + std::to_string(it->second) + " has it)");
    }
    read.push_back(std::move(sound));
  }
  if (lines.empty()) {
    *error = std::string("line 1, column 1: expected the first line \"") + kSetHeader + "\"";
    return false;
  }
  *sounds = std::move(read);
  return true;
}

std::string WriteSoundSet(const std::vector<SetSound>& sounds) {
  std::string text = std::string(kSetHeader) + "\n" + kColumnsComment + "\n";
  for (const SetSound& s : sounds) {
    text += s.name + '\t' + std::to_string(s.bufferLength) + '\t' + std::to_string(s.seed) + '\t' +
            BlockText(s.block) + '\n';
  }
  return text;
}

}  // namespace zu
