// Linked into MinGW builds of the shipped program only (platform/win32/CMakeLists.txt).
// libstdc++'s default std::terminate handler prints the uncaught exception's type, which drags
// in the C++ demangler: 45 KB of the program, for a text that a GUI program without a console
// shows nobody. This definition takes its place in the link, and ends the program as that
// handler does after printing: std::abort. Nothing in the program relies on the text; every
// exception it throws is caught and shown in an error box.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
