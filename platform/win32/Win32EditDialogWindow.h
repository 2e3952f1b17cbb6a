// A small modal dialog window of our own: a prompt, one edit line, OK and Cancel.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Dialogs.h"
#include "platform/win32/Win32DialogFont.h"
#include "platform/win32/Win32Window.h"

// Control and command ids of the edit dialogs.
enum TEditDialogId : int {
    // Cancel and the Esc key share IDCANCEL: IsDialogMessageA sends it for Esc.
    kEditDialogCancelCommand = IDCANCEL,
    kEditDialogPromptId = 100,
    kEditDialogEditId = 101,
    // OK for a dialog in which Enter must not close: IsDialogMessageA sends IDOK for Enter
    // even when the dialog has no default button, so OK must be another command.
    kEditDialogOkCommand = 102,
};

struct TEditDialogLook {
    const char* Caption;
    const char* Prompt;
    int Width;  // of the whole window, frame and caption included, at 96 DPI
    int Height;
    bool EnterMeansOK;   // OK is the default button (IDOK), or neither button is
    bool UnlimitedText;  // EM_SETLIMITTEXT 0: the edit takes text of any length
};

class TWin32EditDialogWindow : public TWin32Window {
  public:
    // Creates the window hidden; it is shown again and again until destruction.
    explicit TWin32EditDialogWindow(const TEditDialogLook& look);
    ~TWin32EditDialogWindow() override;

    void SetCaption(const std::string& caption);
    void SetPrompt(const std::string& prompt);
    std::string Text() const;
    void SetText(const std::string& text);

    // Modal over the owner (may be null) until OK (OK) or Cancel, Esc or close (Cancel).
    TModalResult ShowModal(HWND owner);

    HWND Handle() const { return Window; }
    HWND EditHandle() const { return Edit; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, int id);
    // Sizes, places and font are given at 96 DPI; these take them to the DPI.
    void SetDpi(int dpi);
    void LayOut();

    TEditDialogLook Look;
    TWin32DialogFont Font;
    HWND Prompt = nullptr;
    HWND Edit = nullptr;
    HWND OkButton = nullptr;
    HWND CancelButton = nullptr;
    TModalResult Result = TModalResult::None;
    bool Showing = false;
};
