// The start-up and the end of the program, the same on every platform.
#pragma once

#include "app/NewMessage.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "platform/Application.h"

// The program's three windows, created in this order: the main window, the key-capture dialog
// and the message-entry dialog; the main window's events go to TForm1. They live as long as
// this object.
class TProgramWindows {
  public:
    // Throws when a window cannot be created.
    explicit TProgramWindows(IApplication& application);

    // Shows the main window, which runs FormShow the first time.
    void Show() { Window.Show(); }

  private:
    IMainWindow& Window;
    TForm2 Form2;
    TNewMessageForm NewMessageForm;
    TForm1 Form1;
};

// The whole run of the program: a start beside a running copy leaves (or takes over from a
// copy with fewer rights); the one copy builds its windows, runs the message loop until the
// main window has closed and says so when the keyboard watch did not stop. Returns the exit
// code: 1 when the windows could not be built, which the error box says.
int RunProgram(IApplication& application);
