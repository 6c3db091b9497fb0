#pragma once
// The object's 103 conditions, actions and expressions as plain data, made
// from their rows in frame/ace_entries.inc: kAceTable in code order
// (the 7 conditions, then the 58 actions, then the 38 expressions, each kind
// in code order), per kind an enumeration of the codes by entry name, and
// the descriptor words the host reads, all computed when the module is
// compiled. The module's run-time tables (frame/registry.h) add only the
// routines, which the Windows module supplies from the same rows.
//
// To go through every entry, portable code reads kAceTable:
//   for (const AceEntryDesc& e : kAceTable)
//     e.kind, e.code, e.name, e.displayText (an expression's keyword and "("),
//     e.flags, e.menuLabel, e.paramCount, e.params[j].type, e.params[j].title
// and one entry by kind and code through AceEntryOf.

#include <array>
#include <cstdint>

#include "frame/ace_kinds.h"
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

/// All entries: conditions, actions, expressions, each kind in code order.
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

/// The number of entries of a kind.
constexpr uint32_t AceCountOf(AceKind kind) {
  return kind == AceKind::kCondition ? kConditionCount
         : kind == AceKind::kAction  ? kActionCount
                                     : kExpressionCount;
}

/// Position in kAceTable of the kind's first entry (code 0).
constexpr uint32_t AceFirstIndexOf(AceKind kind) {
  return kind == AceKind::kCondition ? 0
         : kind == AceKind::kAction  ? kConditionCount
                                     : kConditionCount + kActionCount;
}

/// The row of an entry by its code.
constexpr const AceEntryDesc& AceEntry(condition::Code code) {
  return kAceTable[AceFirstIndexOf(AceKind::kCondition) + code];
}
constexpr const AceEntryDesc& AceEntry(action::Code code) {
  return kAceTable[AceFirstIndexOf(AceKind::kAction) + code];
}
constexpr const AceEntryDesc& AceEntry(expression::Code code) {
  return kAceTable[AceFirstIndexOf(AceKind::kExpression) + code];
}

/// The entry of this kind and code, or null for a code outside 0 .. count - 1.
constexpr const AceEntryDesc* AceEntryOf(AceKind kind, uint32_t code) {
  return code < AceCountOf(kind) ? &kAceTable[AceFirstIndexOf(kind) + code] : nullptr;
}

// --- Descriptor words ----------------------------------------------------------
// Per kind the entries back to back, with no header and no terminator: for
// code k with n parameters the words B+10k, B+10k, k, flags, n, the n types,
// then the n title ids (B+10k+1+j for conditions and actions, 0 for
// expressions), B being the kind's MenuIdBase.

namespace ace_detail {
constexpr uint32_t CountDescriptorWords(AceKind kind) {
  uint32_t words = 0;
  for (const AceEntryDesc& entry : kAceTable) {
    if (entry.kind == kind) words += 5 + 2 * entry.paramCount;
  }
  return words;
}
}  // namespace ace_detail

template <AceKind kind>
constexpr std::array<uint16_t, ace_detail::CountDescriptorWords(kind)> MakeDescriptorWords() {
  std::array<uint16_t, ace_detail::CountDescriptorWords(kind)> words{};
  uint32_t at = 0;
  for (uint32_t k = 0; k < AceCountOf(kind); ++k) {
    const AceEntryDesc& entry = *AceEntryOf(kind, k);
    const uint16_t id = MenuIdOf(kind, k);
    const uint16_t head[5] = {id, id, static_cast<uint16_t>(k), entry.flags, entry.paramCount};
    for (uint16_t word : head) words[at++] = word;
    for (int j = 0; j < entry.paramCount; ++j) words[at++] = entry.params[j].type;
    for (int j = 0; j < entry.paramCount; ++j) {
      words[at++] = kind == AceKind::kExpression ? 0 : static_cast<uint16_t>(id + 1 + j);
    }
  }
  return words;
}

inline constexpr auto kConditionDescriptors = MakeDescriptorWords<AceKind::kCondition>();
inline constexpr auto kActionDescriptors = MakeDescriptorWords<AceKind::kAction>();
inline constexpr auto kExpressionDescriptors = MakeDescriptorWords<AceKind::kExpression>();

/// The number of descriptor words of a kind (5 + 2n per entry).
constexpr uint32_t DescriptorWordCountOf(AceKind kind) {
  return kind == AceKind::kCondition ? kConditionDescriptors.size()
         : kind == AceKind::kAction  ? kActionDescriptors.size()
                                     : kExpressionDescriptors.size();
}

/// The descriptor words of a kind; DescriptorWordCountOf(kind) of them.
constexpr const uint16_t* DescriptorWordsOf(AceKind kind) {
  return kind == AceKind::kCondition ? kConditionDescriptors.data()
         : kind == AceKind::kAction  ? kActionDescriptors.data()
                                     : kExpressionDescriptors.data();
}

}  // namespace zu
