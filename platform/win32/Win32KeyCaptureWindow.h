// IKeyCaptureWindow over a borderless popup window of our own with its own modal loop.
#pragma once

#include <windows.h>

#include "platform/Dialogs.h"
#include "platform/win32/Win32DialogFont.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32ModalSession.h"
#include "platform/win32/Win32Window.h"

class TWin32KeyCaptureWindow : public IKeyCaptureWindow, public TWin32Window {
  public:
    // Creates the window hidden; it lives, and is shown again and again, until destruction.
    explicit TWin32KeyCaptureWindow(TOwnerSource owner);
    ~TWin32KeyCaptureWindow() override;

    TModalResult ShowModal(const std::function<void(std::uint8_t)>& onCharacter) override;

    HWND Handle() const { return Window; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Sizes, places and font are given at 96 DPI; these take them to the DPI.
    void SetDpi(int dpi);
    void LayOut();

    TOwnerSource Owner;
    TWin32DialogFont Font;
    HWND Label = nullptr;
    TModalResult Result = TModalResult::None;
    std::uint8_t Captured = 0;
    bool Showing = false;
};
