// The Windows entry point of QuorlWait.exe: the Win32 application, then the common start-up.
#include <windows.h>

#include "app/ErrorHandler.h"
#include "app/Main.h"
#include "app/OneCopyStart.h"
#include "platform/Exception.h"
#include "platform/win32/Win32Application.h"
#include "platform/win32/Win32CallbackGuard.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32SingleInstance.h"

namespace {

constexpr const char* kHookStopFailedText =
    "Stop the keyboard watch: keyhook.dll's hook thread did not end within 2 s.";

}  // namespace

// A second copy ends before any window, hook, hot key or settings file, and shows no box that
// could take the focus from the simulation, unless it came to take over from a copy with fewer
// rights and could not. An exception leaving WinMain would end the program without a word;
// what the start-up has not shown already (the application itself could not be set up) gets
// the error box here.
int WINAPI WinMain(HINSTANCE instance,
                   HINSTANCE /*previous*/,
                   LPSTR /*commandLine*/,
                   int /*showCommand*/) {
    TWin32SingleInstance oneCopy;
    TWin32Clock clock;
    if (!StartAsOneCopy(oneCopy, clock)) {
        return 0;
    }
    try {
        TWin32Application application(instance);
        const int result = RunApplication(application);
        // The process ends the stuck thread; the driver learns why the close took seconds.
        if (application.HookStopFailed()) {
            application.Dialogs().ErrorBox(ApplicationTitle(application.ExecutablePath()),
                                           kHookStopFailedText);
        }
        return result;
    } catch (const std::exception& error) {
        ReportCallbackException(error);
    } catch (...) {
        ReportUnknownCallbackException();
    }
    return 1;
}
