// The Windows entry point of QuorlWait.exe: the Win32 application, then the common start-up.
#include <windows.h>

#include "app/Main.h"
#include "platform/win32/Win32Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*showCommand*/) {
    TWin32Application application(instance);
    return RunApplication(application);
}
