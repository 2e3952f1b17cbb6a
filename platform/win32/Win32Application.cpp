// The Windows application object: owns the Win32 services and windows, runs the message loop.
#include "platform/win32/Win32Application.h"

#include "platform/ExecutablePath.h"
#include "platform/win32/Win32CallbackGuard.h"

TWin32Application::TWin32Application(HINSTANCE instance)
    : Instance(instance),
      PumpService([this] { return MainWindow ? MainWindow->Handle() : nullptr; }),
      DialogsService([this] { return MainWindowHandle(); }) {}

// The windows go before the services they were built over.
TWin32Application::~TWin32Application() {
    MessageEntryWindow.reset();
    KeyCaptureWindow.reset();
    MainWindow.reset();
    // The handler reports through this application's dialogs.
    SetCallbackExceptionHandler(nullptr);
}

std::string TWin32Application::ExecutablePath() {
    return ExecutableFullPath();
}

void TWin32Application::SetErrorHandler(std::function<void(const std::exception&)> handler) {
    // Every window's callbacks and the message loop report through the one handler.
    SetCallbackExceptionHandler(std::move(handler));
}

TWindowHandle TWin32Application::MainWindowHandle() const {
    return MainWindow ? reinterpret_cast<TWindowHandle>(MainWindow->Handle()) : 0;
}

IMainWindow& TWin32Application::CreateMainWindow(TMainWindowRows rows) {
    MainWindow = std::make_unique<TWin32MainWindow>(Instance, rows);
    return *MainWindow;
}

IKeyCaptureWindow& TWin32Application::CreateKeyCaptureWindow() {
    KeyCaptureWindow =
        std::make_unique<TWin32LazyKeyCaptureWindow>([this] { return MainWindowHandle(); });
    return *KeyCaptureWindow;
}

IMessageEntryWindow& TWin32Application::CreateMessageEntryWindow() {
    MessageEntryWindow =
        std::make_unique<TWin32LazyMessageEntryWindow>([this] { return MainWindowHandle(); });
    return *MessageEntryWindow;
}

// Ends when the main window has been destroyed (it posts the quit message) or when a send's
// message pass met a quit message and marked the application for ending.
int TWin32Application::Run() {
    MSG message;
    while (!PumpService.Terminated()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            break;
        }
        RunGuarded([&] { PumpService.Dispatch(message); });
    }
    return 0;
}
