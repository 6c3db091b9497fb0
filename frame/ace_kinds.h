#pragma once
// The three kinds of entry (condition, action, expression), their menu ids,
// and the host's numbers for parameter types and expression results: what an
// entry row (frame/ace_entries.inc) and the words the host reads are made of.

#include <cstdint>

namespace zu {

enum class AceKind : int { kCondition = 0, kAction = 1, kExpression = 2 };
constexpr int kAceKindCount = 3;

/// Menu id base of a kind: 26000 conditions, 25000 actions, 27000 expressions.
/// An entry's menu id is base + 10 x code; its parameter title ids follow it.
constexpr uint16_t MenuIdBase(AceKind kind) {
  return kind == AceKind::kCondition ? 26000 : kind == AceKind::kAction ? 25000 : 27000;
}
/// The menu id of the entry of this kind and code (16-bit arithmetic).
constexpr uint16_t MenuIdOf(AceKind kind, uint32_t code) {
  return static_cast<uint16_t>(MenuIdBase(kind) + 10 * code);
}

/// Parameter types as the host numbers them.
constexpr uint16_t kParamNumber = 22;     ///< condition/action: integer or float
constexpr uint16_t kParamText = 45;       ///< condition/action: pointer to text
constexpr uint16_t kParamFile = 63;       ///< condition/action: pointer to a path
constexpr uint16_t kParamExprInt = 1;     ///< expression: integer
constexpr uint16_t kParamExprString = 3;  ///< expression: string

/// Expression flags: the kind of result.
constexpr uint16_t kResultInt = 0;
constexpr uint16_t kResultString = 1;
constexpr uint16_t kResultFloat = 2;

}  // namespace zu
