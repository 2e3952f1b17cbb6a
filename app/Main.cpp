// The start-up of the program, the same on every platform.
#include "app/Main.h"

#include <memory>

#include "app/ErrorHandler.h"
#include "app/NewMessage.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/Exception.h"

namespace {

int CreateWindowsAndRun(IApplication& application) {
    IMainWindow& window = application.CreateMainWindow();
    TForm1 form1(application, window);
    TForm2 form2(application.CreateKeyCaptureWindow());
    TNewMessageForm newMessageForm(application.CreateMessageEntryWindow());
    form1.Form2 = &form2;
    form1.NewMessageForm = &newMessageForm;

    window.Connect(form1);
    window.Show();
    return application.Run();
}

}  // namespace

// A window or component that cannot be built ends the program, but not without a word: the
// error box says why. The handler is shared with the application, whose windows may still
// report while they are destroyed after this returns.
int RunApplication(IApplication& application) {
    const auto handler = std::make_shared<TDefaultErrorHandler>(
        application.Dialogs(), ApplicationTitle(application.ExecutablePath()));
    application.SetErrorHandler(
        [handler](const std::exception& error) { handler->ShowException(error); });
    try {
        return CreateWindowsAndRun(application);
    } catch (const std::exception& error) {
        handler->ShowException(error);
    } catch (...) {
        handler->ShowException(EUnknownException());
    }
    return 1;
}
