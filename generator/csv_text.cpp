#include "generator/csv_text.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "generator/float_truncate.h"
#include "generator/variables.h"

namespace zu {
namespace {

// Unsigned big integer in 32-bit limbs, least significant first; just enough
// arithmetic for exact binary-to-decimal conversion.
class BigUint {
 public:
  explicit BigUint(uint64_t v) {
    limbs_.push_back(static_cast<uint32_t>(v));
    limbs_.push_back(static_cast<uint32_t>(v >> 32));
    Trim();
  }

  void MulSmall(uint32_t m) {
    uint64_t carry = 0;
    for (uint32_t& limb : limbs_) {
      const uint64_t t = static_cast<uint64_t>(limb) * m + carry;
      limb = static_cast<uint32_t>(t);
      carry = t >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<uint32_t>(carry));
  }

  void AddOne() {
    for (uint32_t& limb : limbs_) {
      if (++limb != 0) return;
    }
    limbs_.push_back(1);
  }

  void ShiftLeft(int bits) {
    const size_t words = static_cast<size_t>(bits) / 32;
    const int rest = bits % 32;
    limbs_.insert(limbs_.begin(), words, 0u);
    if (rest != 0) {
      uint32_t carry = 0;
      for (size_t i = words; i < limbs_.size(); ++i) {
        const uint32_t next = limbs_[i] >> (32 - rest);
        limbs_[i] = (limbs_[i] << rest) | carry;
        carry = next;
      }
      if (carry != 0) limbs_.push_back(carry);
    }
  }

  void ShiftRight(int bits) {
    const size_t words = static_cast<size_t>(bits) / 32;
    const int rest = bits % 32;
    if (words >= limbs_.size()) {
      limbs_.clear();
      return;
    }
    limbs_.erase(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(words));
    if (rest != 0) {
      for (size_t i = 0; i < limbs_.size(); ++i) {
        const uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << (32 - rest) : 0u;
        limbs_[i] = (limbs_[i] >> rest) | high;
      }
    }
    Trim();
  }

  bool Bit(int n) const {
    const size_t word = static_cast<size_t>(n) / 32;
    return word < limbs_.size() && ((limbs_[word] >> (n % 32)) & 1u) != 0;
  }

  bool AnyBitBelow(int n) const {
    for (int i = 0; i < n; ++i) {
      if (static_cast<size_t>(i) / 32 >= limbs_.size()) return false;
      if (Bit(i)) return true;
    }
    return false;
  }

  bool IsOdd() const { return !limbs_.empty() && (limbs_[0] & 1u) != 0; }

  std::string ToDecimal() const {
    if (limbs_.empty()) return "0";
    std::vector<uint32_t> n = limbs_;
    std::string reversed;
    while (!n.empty()) {
      // Divide by 10^9 and emit the nine digits of the remainder.
      uint64_t rem = 0;
      for (size_t i = n.size(); i-- > 0;) {
        const uint64_t cur = (rem << 32) | n[i];
        n[i] = static_cast<uint32_t>(cur / 1000000000u);
        rem = cur % 1000000000u;
      }
      while (!n.empty() && n.back() == 0) n.pop_back();
      for (int d = 0; d < 9; ++d) {
        reversed.push_back(static_cast<char>('0' + rem % 10));
        rem /= 10;
        if (n.empty() && rem == 0) break;
      }
    }
    return std::string(reversed.rbegin(), reversed.rend());
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<uint32_t> limbs_;
};

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// More significant digits than any double needs to decide its rounding
// (767); digits beyond are folded into one sticky digit.
constexpr size_t kMaxDigits = 800;

}  // namespace

std::string FormatFixed4(double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (biased == 0x7FF) {
    if (fraction != 0) return negative ? "-nan" : "nan";
    return negative ? "-inf" : "inf";
  }
  // |v| = m x 2^e exactly.
  const uint64_t m = biased == 0 ? fraction : (fraction | (uint64_t{1} << 52));
  const int e = biased == 0 ? -1074 : biased - 1075;

  // Scaled value |v| x 10^4, rounded half to even on the exact value.
  BigUint n(m);
  n.MulSmall(10000);
  if (e >= 0) {
    n.ShiftLeft(e);
  } else {
    const int k = -e;
    const bool half = n.Bit(k - 1);
    const bool sticky = n.AnyBitBelow(k - 1);
    n.ShiftRight(k);
    if (half && (sticky || n.IsOdd())) n.AddOne();
  }
  std::string digits = n.ToDecimal();
  if (digits.size() < 5) digits.insert(0, 5 - digits.size(), '0');
  std::string out;
  out.reserve(digits.size() + 2);
  if (negative) out.push_back('-');
  out.append(digits, 0, digits.size() - 4);
  out.push_back('.');
  out.append(digits, digits.size() - 4, 4);
  return out;
}

namespace {

// Converts "digits e exponent" (no sign, C locale) to the nearest double. False
// when the result is out of range, rounding to zero or to an infinity. Both
// routes round correctly, so every build gets the same bits.
bool ConvertScientific(const std::string& text, double* value) {
#if defined(__cpp_lib_to_chars)
  const auto result = std::from_chars(text.data(), text.data() + text.size(), *value,
                                      std::chars_format::scientific);
  return result.ec != std::errc::result_out_of_range;
#else
  // Runtimes without a floating-point from_chars (the WebAssembly one): strtod,
  // whose only input here is plain digits and an exponent.
  errno = 0;
  *value = std::strtod(text.c_str(), nullptr);
  if (errno != ERANGE) return true;
  return *value != 0.0 && *value != std::numeric_limits<double>::infinity();
#endif
}

// A decimal number as read: digits x 10^exponent, the digits without leading
// zeros and at most kMaxDigits of them.
struct DecimalDigits {
  std::string digits;
  int64_t exponent = 0;
  bool sticky = false;    // a non-zero digit was dropped beyond kMaxDigits
  bool sawDigit = false;  // any digit at all, zeros included
};

// Takes one digit of the whole part (fraction false) or of the fraction.
void TakeDigit(char c, bool fraction, DecimalDigits* d) {
  d->sawDigit = true;
  if (d->digits.empty() && c == '0') {
    if (fraction) --d->exponent;
  } else if (d->digits.size() < kMaxDigits) {
    d->digits.push_back(c);
    if (fraction) --d->exponent;
  } else {
    if (!fraction) ++d->exponent;
    d->sticky = d->sticky || c != '0';
  }
}

// Reads the digits before and after a point ("5", "5.", ".5", "5.5"); returns
// where they end.
const char* ReadMantissa(const char* s, DecimalDigits* d) {
  for (; IsDigit(*s); ++s) TakeDigit(*s, false, d);
  if (*s == '.' && (d->sawDigit || IsDigit(s[1]))) {
    for (++s; IsDigit(*s); ++s) TakeDigit(*s, true, d);
  }
  return s;
}

// Reads an exponent ('e', 'E', 'd' or 'D', an optional sign, digits) into
// *exponent and returns where it ends; returns s when none starts there.
const char* ReadExponent(const char* s, int64_t* exponent) {
  if (*s != 'e' && *s != 'E' && *s != 'd' && *s != 'D') return s;
  const char* p = s + 1;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (!IsDigit(*p)) return s;
  int64_t value = 0;
  for (; IsDigit(*p); ++p) {
    // Saturate: far beyond any exponent that can still matter.
    if (value < 1000000000000LL) value = value * 10 + (*p - '0');
  }
  *exponent += negative ? -value : value;
  return p;
}

// The double nearest to d, with the sign; zero or an infinity out of range.
double NearestDouble(DecimalDigits d, bool negative) {
  const double zero = negative ? -0.0 : 0.0;
  if (d.digits.empty()) return zero;
  if (d.sticky) {
    d.digits.push_back('1');
    --d.exponent;
  }
  // The value lies in [10^(magnitude-1), 10^magnitude).
  const int64_t magnitude = d.exponent + static_cast<int64_t>(d.digits.size());
  const double infinity =
      negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  if (magnitude > 310) return infinity;
  if (magnitude < -330) return zero;

  std::string normalized = d.digits;
  normalized.push_back('e');
  normalized += std::to_string(d.exponent);
  double value = 0.0;
  if (!ConvertScientific(normalized, &value)) return magnitude > 0 ? infinity : zero;
  return negative ? -value : value;
}

}  // namespace

double ParseDecimal(const char* text, const char** end) {
  const char* s = text;
  while (IsCSpace(*s)) ++s;
  bool negative = false;
  if (*s == '+' || *s == '-') negative = *s++ == '-';
  DecimalDigits d;
  s = ReadMantissa(s, &d);
  if (!d.sawDigit) {
    if (end != nullptr) *end = text;
    return 0.0;
  }
  s = ReadExponent(s, &d.exponent);
  if (end != nullptr) *end = s;
  return NearestDouble(std::move(d), negative);
}

std::string FormatVariablesAsCsv(const GeneratorParams& params) {
  std::string text;
  for (int i = 0; i < kVariableCount; ++i) {
    const float v = GetParamVariable(params, i);
    if (v != v) {
      // Not a number: the sign is read from the float itself, since widening
      // a NaN may change its sign on some targets (WebAssembly).
      uint32_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      text += (bits >> 31) != 0 ? "-nan" : "nan";
    } else if (v != 0.0f) {
      text += FormatFixed4(static_cast<double>(v));
    }
    if (i + 1 < kVariableCount) text.push_back(',');
  }
  return text;
}

void LoadVariablesFromCsv(GeneratorParams& params, const char* text) {
  const char* field = text;
  for (int i = 0; i < kVariableCount; ++i) {
    const char* comma = std::strchr(field, ',');
    const double v = ParseDecimal(field, nullptr);
    if (i == 1) {
      params.waveType = TruncToInt32(v);
    } else {
      *FloatVariable(params, i) = static_cast<float>(v);
    }
    if (comma == nullptr) break;
    field = comma + 1;
  }
}

}  // namespace zu
