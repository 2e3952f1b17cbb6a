// The main window's face: its boxes, its log, and the events it passes to the application.
#pragma once

#include "platform/LogBox.h"
#include "platform/TextBox.h"

// The handlers of the main window's events, all called on the user-interface thread from its
// message loop (or a nested one: a dialog's, or the sender's message pass).
class IMainWindowEvents {
  public:
    virtual ~IMainWindowEvents() = default;

    // Once, when the window is first shown.
    virtual void FormShow() = 0;
    // When the user closes the window. An exception keeps the window open: the window hands it
    // to the application's error handler, and the next close runs this again.
    virtual void FormClose() = 0;
    // Every 100 ms from the window's creation.
    virtual void Timer1Timer() = 0;
    // A click of Set Wait Key, Set Wait Time, Set PI Key, Set PI Message, Set PO Warning,
    // Set PO Message, Save.
    virtual void Button1Click() = 0;
    virtual void Button2Click() = 0;
    virtual void Button3Click() = 0;
    virtual void Button4Click() = 0;
    virtual void Button5Click() = 0;
    virtual void Button6Click() = 0;
    virtual void RzBitBtn1Click() = 0;
    // When the text of the pit-in message box has changed.
    virtual void PitInMessageEditChange() = 0;
};

class IMainWindow {
  public:
    virtual ~IMainWindow() = default;

    // The read-only boxes of the seven rows.
    virtual ITextBox& WaitTimeEdit() = 0;
    virtual ITextBox& PitInEdit() = 0;
    virtual ITextBox& KeyEdit() = 0;
    virtual ITextBox& PitInMessageEdit() = 0;
    virtual ITextBox& POWarningEdit() = 0;
    virtual ITextBox& PitOutMessageEdit() = 0;
    virtual ILogBox& Memo1() = 0;

    // Routes the window's events to the handlers; events before this are dropped.
    virtual void Connect(IMainWindowEvents& events) = 0;

    // Shows the window (which runs FormShow the first time).
    virtual void Show() = 0;
};
