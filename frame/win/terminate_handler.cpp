// What the module does when the C++ runtime must terminate (an exception
// escaping a noexcept boundary, say): it aborts, as the runtime would, but
// without the runtime's default handler. That handler prints the exception's
// demangled type name to a console that the host never shows, and it would
// link the runtime's whole name demangler into the module. Defining the
// handler here keeps those pieces out of the DLL.

#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
