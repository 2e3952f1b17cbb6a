// The main window "Quorl Pit Timer v3.1": seven rows of boxes and buttons, the log, Timer1.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/MainWindow.h"
#include "platform/win32/Win32LogBox.h"
#include "platform/win32/Win32TextBox.h"
#include "platform/win32/Win32Window.h"

class TWin32MainWindow : public IMainWindow, public TWin32Window {
  public:
    // Creates the window (hidden) with its controls and starts its 100 ms timer. Throws
    // Exception when the window or one of its controls cannot be created.
    explicit TWin32MainWindow(HINSTANCE instance);
    ~TWin32MainWindow() override;

    HWND Handle() const { return Window; }

    ITextBox& WaitTimeEdit() override { return WaitTimeBox; }
    ITextBox& PitInEdit() override { return PitInBox; }
    ITextBox& KeyEdit() override { return KeyBox; }
    ITextBox& PitInMessageEdit() override { return PitInMessageBox; }
    ITextBox& POWarningEdit() override { return POWarningBox; }
    ITextBox& PitOutMessageEdit() override { return PitOutMessageBox; }
    ILogBox& Memo1() override { return LogBox; }

    void Connect(IMainWindowEvents& events) override { Events = &events; }
    void Show() override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    HWND AddControl(const char* className,
                    const char* text,
                    DWORD style,
                    int id,
                    int x,
                    int y,
                    int width,
                    int height);
    void LayOut();
    // Sizes are given at 96 DPI; this is one of them at the window's DPI.
    int Scale(int valueAt96) const;
    void SetDpi(int dpi);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnCommand(int id, int notification);
    void OnClose();
    void DeleteFont();
    HINSTANCE Instance;
    HFONT Font = nullptr;
    int Dpi = 96;
    HWND Memo = nullptr;
    // The controls that keep their place, with it at 96 DPI, to lay them out at any DPI.
    struct TPlacement {
        HWND Control;
        RECT At96;
    };
    std::vector<TPlacement> Placements;
    IMainWindowEvents* Events = nullptr;
    bool Shown = false;

    TWin32TextBox WaitTimeBox;
    TWin32TextBox PitInBox;
    TWin32TextBox KeyBox;
    TWin32TextBox PitInMessageBox;
    TWin32TextBox POWarningBox;
    TWin32TextBox PitOutMessageBox;
    TWin32LogBox LogBox;
};
