// The start-up of the program, the same on every platform.
#include "app/Main.h"

#include "app/ErrorHandler.h"
#include "app/NewMessage.h"
#include "app/Unit1.h"
#include "app/Unit2.h"

int RunApplication(IApplication& application) {
    const std::string title = ApplicationTitle(application.ExecutablePath());
    application.SetErrorHandler([&application, title](const std::exception& error) {
        ShowException(application.Dialogs(), title, error);
    });

    IMainWindow& window = application.CreateMainWindow();
    TForm1 form1({application.Clock(), application.Keyboard(), application.Pump(),
                  application.TopLevelWindows(), application.Dialogs(),
                  application.ProfileFile(), application.ExecutablePath(),
                  application.KeyboardQueries(), application.HookLibrary(),
                  application.HiddenWindows(), application.HotKeys()},
                 {window.WaitTimeEdit(), window.PitInEdit(), window.KeyEdit(),
                  window.PitInMessageEdit(), window.POWarningEdit(), window.PitOutMessageEdit(),
                  window.Memo1()});
    TForm2 form2(application.CreateKeyCaptureWindow());
    TNewMessageForm newMessageForm(application.CreateMessageEntryWindow());
    form1.Form2 = &form2;
    form1.NewMessageForm = &newMessageForm;

    window.Connect(form1);
    window.Show();
    return application.Run();
}
