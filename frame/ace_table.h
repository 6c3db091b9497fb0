#pragma once
// The object's 103 conditions, actions and expressions as plain data, in
// registration order: the 7 conditions, then the 58 actions, then the 38
// expressions, each kind in code order. The registry (frame/registry.h) is
// filled from this table; the Windows module supplies the routines.

#include <cstdint>

#include "frame/registry.h"

namespace zu {

constexpr int kConditionCount = 7;
constexpr int kActionCount = 58;
constexpr int kExpressionCount = 38;
constexpr int kAceEntryCount = kConditionCount + kActionCount + kExpressionCount;
constexpr int kMaxAceParams = 7;

struct AceParamDesc {
  uint16_t type;
  const char* title;
};

struct AceEntryDesc {
  AceKind kind;
  const char* displayText;
  uint16_t flags;
  uint8_t paramCount;
  AceParamDesc params[kMaxAceParams];
};

/// All entries in registration order.
extern const AceEntryDesc kAceTable[kAceEntryCount];

/// Index into kAceTable of the entry with this kind and code.
constexpr int AceTableIndex(AceKind kind, int code) {
  return kind == AceKind::kCondition ? code
         : kind == AceKind::kAction  ? kConditionCount + code
                                     : kConditionCount + kActionCount + code;
}

}  // namespace zu
