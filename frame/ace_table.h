#pragma once
// The object's 103 conditions, actions and expressions as plain data, made
// from their rows in frame/ace_entries.inc: kAceTable in registration order
// (the 7 conditions, then the 58 actions, then the 38 expressions, each kind
// in code order), and per kind an enumeration of the codes by entry name. The
// registry (frame/registry.h) is filled from this table; the Windows module
// supplies the routines from the same rows.
//
// To go through every entry, portable code reads kAceTable:
//   for (const AceEntryDesc& e : kAceTable)
//     e.kind, e.code, e.name, e.displayText (an expression's keyword and "("),
//     e.flags, e.menuLabel, e.paramCount, e.params[j].type, e.params[j].title

#include <cstdint>

#include "frame/registry.h"
#include "generator/presets.h"

namespace zu {

constexpr int kMaxAceParams = 7;

/// One parameter: its type (kParamNumber, kParamText, kParamFile for
/// conditions and actions; kParamExprInt, kParamExprString for expressions)
/// and the title the editor shows.
struct AceParamDesc {
  uint16_t type;
  const char* title;
};

constexpr AceParamDesc NumberParam(const char* title) { return {kParamNumber, title}; }
constexpr AceParamDesc TextParam(const char* title) { return {kParamText, title}; }
constexpr AceParamDesc FileParam(const char* title) { return {kParamFile, title}; }
constexpr AceParamDesc IntParam(const char* title) { return {kParamExprInt, title}; }
constexpr AceParamDesc StringParam(const char* title) { return {kParamExprString, title}; }

/// The parameter list of one row.
struct AceParamList {
  uint8_t count;
  AceParamDesc items[kMaxAceParams];
};

template <typename... Params>
constexpr AceParamList ParamsOf(Params... params) {
  static_assert(sizeof...(Params) <= kMaxAceParams, "at most 7 parameters per entry");
  return AceParamList{static_cast<uint8_t>(sizeof...(Params)), {params...}};
}

/// One entry: everything of its row but the routine.
struct AceEntryDesc {
  AceKind kind;
  uint16_t code;            ///< position within its kind
  const char* name;         ///< identifier in code, e.g. "PlayRepeat"
  const char* displayText;  ///< with %0..%6; an expression's keyword and "("
  uint16_t flags;           ///< condition flags; 0 for actions; result kind for expressions
  const char* menuLabel;    ///< item text in the kind's menu; "" for none
  uint8_t paramCount;
  AceParamDesc params[kMaxAceParams];
};

constexpr AceEntryDesc MakeAceEntry(AceKind kind, uint16_t code, const char* name, uint16_t flags,
                                    const char* displayText, const char* menuLabel,
                                    AceParamList params) {
  AceEntryDesc entry{kind, code, name, displayText, flags, menuLabel, params.count, {}};
  for (int j = 0; j < params.count; ++j) entry.params[j] = params.items[j];
  return entry;
}

// The codes of each kind by entry name, e.g. action::kPlayRepeat == 0.
namespace condition {
enum Code : uint16_t {
#define ZU_CONDITION_ENTRY(Name, ...) k##Name,
#include "frame/ace_entries.inc"
  kCount
};
}  // namespace condition
namespace action {
enum Code : uint16_t {
#define ZU_ACTION_ENTRY(Name, ...) k##Name,
#include "frame/ace_entries.inc"
  kCount
};
}  // namespace action
namespace expression {
enum Code : uint16_t {
#define ZU_EXPRESSION_ENTRY(Name, ...) k##Name,
#include "frame/ace_entries.inc"
  kCount
};
}  // namespace expression

constexpr int kConditionCount = condition::kCount;
constexpr int kActionCount = action::kCount;
constexpr int kExpressionCount = expression::kCount;
constexpr int kAceEntryCount = kConditionCount + kActionCount + kExpressionCount;

/// All entries in registration order.
inline constexpr AceEntryDesc kAceTable[kAceEntryCount] = {
#define ZU_CONDITION_ENTRY(Name, Routine, flags, text, menu, params) \
  MakeAceEntry(AceKind::kCondition, condition::k##Name, #Name, flags, text, menu, ParamsOf params),
#define ZU_ACTION_ENTRY(Name, Routine, flags, text, menu, params) \
  MakeAceEntry(AceKind::kAction, action::k##Name, #Name, flags, text, menu, ParamsOf params),
#define ZU_EXPRESSION_ENTRY(Name, Routine, flags, text, menu, params)               \
  MakeAceEntry(AceKind::kExpression, expression::k##Name, #Name, flags, text, menu, \
               ParamsOf params),
#include "frame/ace_entries.inc"
};

/// The row of an entry by its code.
constexpr const AceEntryDesc& AceEntry(condition::Code code) { return kAceTable[code]; }
constexpr const AceEntryDesc& AceEntry(action::Code code) {
  return kAceTable[kConditionCount + code];
}
constexpr const AceEntryDesc& AceEntry(expression::Code code) {
  return kAceTable[kConditionCount + kActionCount + code];
}

}  // namespace zu
