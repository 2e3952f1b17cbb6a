// The running executable's own full path.
#pragma once

#include <string>

// The full path of the program file of the current process, in the system's own form
// ("C:\Games\QuorlWait.exe"); empty when the system cannot tell. Defined by the platform
// implementation (GetModuleFileNameA on Windows). Does not run the message loop.
std::string ExecutableFullPath();
