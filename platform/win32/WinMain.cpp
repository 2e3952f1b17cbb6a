// The Windows entry point of QuorlWait.exe: the Win32 application, handed to the start-up.
#include <windows.h>

#include "app/Main.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32CallbackGuard.h"

// An exception leaving WinMain would end the program without a word: what the start-up has not
// shown already (the application itself could not be set up) gets the error box here.
int WINAPI WinMain(HINSTANCE instance,
                   HINSTANCE /*previous*/,
                   LPSTR /*commandLine*/,
                   int /*show*/) {
    try {
        TWin32Application application(instance);
        return RunProgram(application);
    } catch (const std::exception& error) {
        ReportCallbackException(error);
    } catch (...) {
        ReportUnknownCallbackException();
    }
    return 1;
}
