// The running executable's own full path.
#pragma once

#include <string>

// The full path of the program file of the current process, as UTF-8 ("C:\Games\QuorlWait.exe"),
// whatever characters its folders' names hold and however long it is; empty when the system
// cannot tell. Defined by the platform implementation (GetModuleFileNameW on Windows). Does not
// run the message loop.
std::string ExecutableFullPath();
