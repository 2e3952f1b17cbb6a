// The main window's one-line read-only edit controls, as ITextBox.
#pragma once

#include <windows.h>

#include <string>

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
