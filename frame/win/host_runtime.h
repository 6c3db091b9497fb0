#pragma once
// The module's side of the host's run-time callbacks: events, action and
// expression parameters, and float or string results.

#include <cstdint>
#include <cstring>

#include "frame/win/run_data.h"

namespace zu {

/// Hands an expression its parameters in order: the first through the
/// first-expression-parameter callback, every later one through the next one.
class ParamReader {
 public:
  explicit ParamReader(RunData* runObject) : runObject_(runObject) {}

  /// Back to the first state; every expression routine starts with it.
  void Reset() { fetch_ = &ParamReader::FetchFirstParam; }
  /// The next parameter of the given type (kExprParamInt or kExprParamString).
  int32_t Fetch(int32_t token, int32_t type) { return (this->*fetch_)(runObject_, token, type); }

 private:
  using FetchFunction = int32_t (ParamReader::*)(RunData*, int32_t token, int32_t type);
  int32_t FetchFirstParam(RunData* runObject, int32_t token, int32_t type);
  int32_t FetchNextParam(RunData* runObject, int32_t token, int32_t type);

  RunData* runObject_;
  FetchFunction fetch_ = &ParamReader::FetchFirstParam;
};

/// The token an expression passes back to the host: the low 16 bits of the
/// value it received, sign-extended.
inline int32_t ExpressionToken(int32_t received) {
  return static_cast<int16_t>(static_cast<uint32_t>(received) & 0xFFFF);
}

/// Pushes a condition code as an event (the host runs the object's rules).
void PushEvent(RunData* rd, int32_t code);

/// A text parameter as the host passes it (a condition's or action's first
/// two parameters, or a fetched one): never null, a missing text reads as "".
const char* TextArg(int32_t value);

/// The running action's next parameter, through the get-action-parameter callback.
int32_t FetchActionInt(RunData* rd);
/// A float parameter as the host passes it: its bit pattern, untouched (a
/// float would pass through the x87 unit on 32-bit x86 and lose a
/// signalling NaN).
uint32_t FetchActionFloatBits(RunData* rd);
/// Never null: a missing text reads as "".
const char* FetchActionString(RunData* rd);

/// Marks a float result and returns the bit pattern given, untouched.
int32_t ReturnFloatBits(RunData* rd, uint32_t bits);
/// Marks a float result and returns its bit pattern.
inline int32_t ReturnFloat(RunData* rd, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return ReturnFloatBits(rd, bits);
}
/// Copies text into host memory from the string-result callback (length + 1
/// bytes), marks a string result and returns the host's block. When the host
/// gives no memory the constant empty string is returned instead.
int32_t ReturnString(RunData* rd, const char* text);
/// Marks a string result and returns the module's constant empty string.
int32_t ReturnEmptyString(RunData* rd);

/// The run data's reader when it has one, else `fallback` (same behaviour:
/// a reader only carries state within one expression call). Reset either way.
ParamReader& ReaderFor(RunData* rd, ParamReader& fallback);

}  // namespace zu
