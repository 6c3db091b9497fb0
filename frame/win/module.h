#pragma once
// Module-wide state kept by the entry point, and the routines it hands to
// the registry.

#include <windows.h>

#include "frame/registry.h"

namespace zu {

/// The module handle stored at process attach (null before it).
HINSTANCE ModuleHandle();

/// The routine of every entry, in the order of kAceTable (frame/ace_table.h).
const RoutineAddress* ModuleRoutines();

}  // namespace zu
