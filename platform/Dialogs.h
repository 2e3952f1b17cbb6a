// Message boxes, the one-line input box and the two modal dialog windows of the application.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/TextBox.h"

enum class TModalResult { None = 0, OK = 1, Cancel = 2 };

// Every operation here shows a modal window owned by the main window and returns when it has
// been closed. While it is open its own message loop runs: timer ticks, keystroke reports and
// hot-key messages keep being dispatched, and the main window is disabled.
class IDialogs {
  public:
    virtual ~IDialogs() = default;

    // A warning message box captioned "Warning" with the text and a single OK button
    // (MessageBoxA with MB_OK | MB_ICONWARNING).
    virtual void WarningBox(const std::string& text) = 0;

    // An error message box with the caption, the text and a single OK button (MessageBoxW with
    // MB_OK | MB_ICONERROR). Both texts are UTF-8; one that is not valid UTF-8 is taken as 8-bit
    // text in the ANSI code page. It is the last stop of error reporting, so it throws nothing:
    // false when the box could not be shown at all.
    virtual bool ErrorBox(const std::string& caption, const std::string& text) noexcept = 0;

    // A one-line input box with the caption, the prompt above the line, the default text in
    // the line, and OK and Cancel. OK returns the line's text; Cancel, Esc or the close
    // command return the default text unchanged.
    virtual std::string InputBox(const std::string& caption,
                                 const std::string& prompt,
                                 const std::string& defaultText) = 0;
};

// The key-capture dialog's window ("Set Key", no border, no system buttons).
class IKeyCaptureWindow {
  public:
    virtual ~IKeyCaptureWindow() = default;

    // Shows the window modally until the first key press that produces a character, control
    // characters such as Enter (13), Esc (27), Backspace (8) and Tab (9) included; keys that
    // produce no character leave it open. onCharacter receives that character before the
    // window closes, and the result is then OK. Closed by the system's close command instead,
    // onCharacter is not called and the result is Cancel.
    virtual TModalResult ShowModal(const std::function<void(std::uint8_t)>& onCharacter) = 0;
};

// The message-entry dialog's window ("New Message Dialog": a label, Edit1, OK and Cancel).
class IMessageEntryWindow {
  public:
    virtual ~IMessageEntryWindow() = default;

    // The one-line text box, without a length limit.
    virtual ITextBox& Edit1() = 0;

    // Shows the window modally: OK closes it with OK; Cancel, Esc and the close command close
    // it with Cancel. Enter does not close it (neither button is the default one).
    virtual TModalResult ShowModal() = 0;
};
