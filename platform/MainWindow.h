// The main window's face: the rows it is built from, its boxes and log, and its events.
#pragma once

#include <span>

#include "platform/LogBox.h"
#include "platform/TextBox.h"

// Timer1's period: the engine's tick, and the pace of the messages it types.
inline constexpr unsigned kTimer1IntervalMs = 100;

// The log box's control id; the rows' ids are the application's and must differ from it.
inline constexpr int kMemo1Id = 107;

// One row of the main window, as the application describes it: a label, a box and its button,
// and maybe a button of its own at the row's right end (Save). The window lays the rows out
// from the top in this order, the log box filling the rest below them; the Tab order is the
// same: box, button, end button, row by row. Texts are 8-bit; the ids are unique.
struct TMainWindowRow {
    const char* Label;
    int BoxId;
    bool WideBox;
    bool ReadOnly;
    // A change of the box's text goes to IMainWindowEvents::Changed.
    bool ReportsChange;
    const char* ButtonCaption;
    int ButtonId;
    // 0: none. The end button carries the window's glyph beside its caption.
    int EndButtonId = 0;
    const char* EndButtonCaption = nullptr;
};

// The handlers of the main window's events, all called on the user-interface thread from its
// message loop (or a nested one: a dialog's, or the sender's message pass).
class IMainWindowEvents {
  public:
    virtual ~IMainWindowEvents() = default;

    // Once, when the window is first shown, before it appears.
    virtual void FormShow() = 0;
    // Once, right after the window first appeared: what the window does not need to be seen
    // waits for this, so that it appears as soon as it can.
    virtual void FormShown() = 0;
    // When the user closes the window. An exception keeps the window open: the window hands it
    // to the application's error handler, and the next close runs this again.
    virtual void FormClose() = 0;
    // Every kTimer1IntervalMs from the window's creation.
    virtual void Timer1Timer() = 0;
    // A click of a row's button or end button, by mouse, Space or Enter.
    virtual void Clicked(int buttonId) = 0;
    // The text of a row's box that reports changes has changed.
    virtual void Changed(int boxId) = 0;
};

class IMainWindow {
  public:
    virtual ~IMainWindow() = default;

    // The box of a row, by its id; the id must be one of the rows'.
    virtual ITextBox& Box(int boxId) = 0;
    virtual ILogBox& Memo1() = 0;

    // Routes the window's events to the handlers; events before this are dropped.
    virtual void Connect(IMainWindowEvents& events) = 0;

    // Shows the window (which runs FormShow, then FormShown, the first time).
    virtual void Show() = 0;
};

using TMainWindowRows = std::span<const TMainWindowRow>;
