// The start-up of the program, the same on every platform.
#include "app/Main.h"

#include <memory>

#include "app/ErrorHandler.h"
#include "app/Notices.h"
#include "app/OneCopyStart.h"
#include "platform/Exception.h"

TProgramWindows::TProgramWindows(IApplication& application)
    : Window(application.CreateMainWindow(TForm1::Rows())),
      Form2(application.CreateKeyCaptureWindow()),
      NewMessageForm(application.CreateMessageEntryWindow()),
      Form1(application, Window, Form2, NewMessageForm) {
    Window.Connect(Form1);
}

// A second copy ends before any window, hook, hot key or settings file, and shows no box that
// could take the focus from the simulation, unless it came to take over from a copy with fewer
// rights and could not. A window or component that cannot be built ends the program, but not
// without a word: the error box says why. The handler is shared with the application, whose
// windows may still report while they are destroyed after this returns.
int RunProgram(IApplication& application) {
    if (!StartAsOneCopy(application.OneCopy(), application.ForegroundWindows(),
                        application.Clock())) {
        return 0;
    }
    const std::string title = ApplicationTitle(application.ExecutablePath());
    const auto handler = std::make_shared<TDefaultErrorHandler>(application.Dialogs(), title);
    application.SetErrorHandler(
        [handler](const std::exception& error) { handler->ShowException(error); });
    int result = 1;
    try {
        TProgramWindows windows(application);
        windows.Show();
        result = application.Run();
    } catch (const std::exception& error) {
        handler->ShowException(error);
    } catch (...) {
        handler->ShowException(EUnknownException());
    }
    // The windows are gone, and the keyboard watch with them; the settings are saved. A start
    // that waits for this copy may run from here on, while this one tells the driver why its
    // close took seconds: the box may stay open for as long as the driver lets it. The process
    // ends a hook thread that did not.
    application.OneCopy().ReleaseLock();
    if (application.HookStopFailed()) {
        application.Dialogs().ErrorBox(title, kHookStopFailedText);
    }
    return result;
}
