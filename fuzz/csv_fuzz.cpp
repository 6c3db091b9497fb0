// Fuzzes the CSV parser and formatter. Checks: no crash or undefined
// behaviour; the number reader agrees bit for bit with the C library's strtod
// on the text it accepts; and formatting is stable after one round trip.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "generator/csv_text.h"

namespace {

void CheckAgainstStrtod(const char* text) {
  const char* end = nullptr;
  const double ours = zu::ParseDecimal(text, &end);
  if (end == text) {
    if (ours != 0.0) std::abort();
    return;
  }
  std::string used(text, static_cast<size_t>(end - text));
  for (char& c : used) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  char* theirsEnd = nullptr;
  const double theirs = std::strtod(used.c_str(), &theirsEnd);
  if (theirsEnd != used.c_str() + used.size()) std::abort();
  if (std::memcmp(&ours, &theirs, sizeof ours) != 0) std::abort();
}

std::string Normalize(const std::string& text) {
  zu::GeneratorParams p;
  p.Reset();
  zu::LoadVariablesFromCsv(p, text.c_str());
  return zu::FormatVariablesAsCsv(p);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // stops at a zero byte below
  const char* c = text.c_str();
  CheckAgainstStrtod(c);
  for (const char* comma = std::strchr(c, ','); comma != nullptr;
       comma = std::strchr(comma + 1, ',')) {
    CheckAgainstStrtod(comma + 1);
  }
  const std::string once = Normalize(text.c_str());
  const std::string twice = Normalize(once);
  if (Normalize(twice) != twice) std::abort();
  return 0;
}
