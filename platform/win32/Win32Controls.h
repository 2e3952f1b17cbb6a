// The main window's boxes over Win32 edit controls: one-line read-only boxes and the log.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/LogBox.h"
#include "platform/TextBox.h"

// A one-line edit control as 8-bit text.
class TWin32TextBox : public ITextBox {
public:
    explicit TWin32TextBox(HWND edit = nullptr) : Edit(edit) {}

    void Attach(HWND edit) { Edit = edit; }
    HWND Handle() const { return Edit; }

    std::string Text() const override;
    // An edit sends EN_CHANGE on every WM_SETTEXT, even with the text it already holds: the
    // text is compared first, so that the change handler runs only for a real change.
    void SetText(const std::string& text) override;

private:
    HWND Edit;
};

// The multi-line read-only log. The lines live in our own list (what Save writes); the control
// shows them. Drawing a visible edit costs milliseconds per append under Wine whatever is
// appended, so new lines wait in Pending and reach the control in one append per Flush, which
// the window calls on every timer tick.
class TWin32LogBox : public ILogBox {
public:
    void Attach(HWND edit);

    void AppendLine(const std::string& line) override;
    std::vector<std::string> Lines() const override { return All; }

    // Appends the pending lines at the end of the control, without re-reading its text.
    void Flush();

private:
    HWND Edit = nullptr;
    std::vector<std::string> All;
    std::string Pending;
    bool ControlHasText = false;
};
