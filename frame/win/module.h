#pragma once
// Module-wide state kept by the entry point.

#include <windows.h>

namespace zu {

/// The module handle stored at process attach (null before it).
HINSTANCE ModuleHandle();

}  // namespace zu
