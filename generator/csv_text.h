#pragma once
// The comma-separated text form of the 24 variables: produced with four
// decimals, read back with a locale-free decimal number parser.

#include <cstddef>
#include <string>

#include "generator/generator_params.h"

namespace zu {

/// 24 fields in index order joined by commas; a zero variable gives an empty
/// field, any other value its "%.4f" form. Sized to fit any values.
std::string FormatVariablesAsCsv(const GeneratorParams& params);

/// Loads variables from the text, field by field, at most 24 fields; fields
/// the text lacks leave their variables unchanged. text may not be null.
void LoadVariablesFromCsv(GeneratorParams& params, const char* text);

/// v printed like "%.4f" in the C locale: exact binary value rounded half to
/// even at the fourth decimal; inf, -inf, nan, -nan for non-finite values.
std::string FormatFixed4(double v);

/// Reads a decimal number at text like strtod in the C locale, restricted to
/// white space, sign, digits, point and an E/e/D/d exponent. Sets *end to the
/// first character not used (text itself when no number was read, result 0.0).
double ParseDecimal(const char* text, const char** end);

}  // namespace zu
