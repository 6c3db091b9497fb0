// The routine of every entry, taken from the entry rows in table order
// (conditions, actions, expressions, each by code).
#include <iterator>

#include "frame/ace_table.h"
#include "frame/win/module.h"
#include "frame/win/routines.h"

namespace zu {
namespace {

using ConditionRoutine = int32_t(__stdcall*)(RunData*, int32_t, int32_t);
using ExpressionRoutine = int32_t(__stdcall*)(RunData*, int32_t);

// A routine with the signature of its kind checked, then erased.
RoutineAddress EraseCondition(ConditionRoutine routine) {
  return reinterpret_cast<RoutineAddress>(routine);
}
RoutineAddress EraseAction(ConditionRoutine routine) {
  return reinterpret_cast<RoutineAddress>(routine);
}
RoutineAddress EraseExpression(ExpressionRoutine routine) {
  return reinterpret_cast<RoutineAddress>(routine);
}

const RoutineAddress kModuleRoutines[] = {
#define ZU_CONDITION_ENTRY(Name, Routine, ...) EraseCondition(&routines::Routine),
#define ZU_ACTION_ENTRY(Name, Routine, ...) EraseAction(&routines::Routine),
#define ZU_EXPRESSION_ENTRY(Name, Routine, ...) EraseExpression(&routines::Routine),
#include "frame/ace_entries.inc"
};
static_assert(std::size(kModuleRoutines) == kAceEntryCount, "one routine per entry");

}  // namespace

const RoutineAddress* ModuleRoutines() { return kModuleRoutines; }

}  // namespace zu
