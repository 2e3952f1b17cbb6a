// The main window "Quorl Pit Timer v3.1": the application's rows of boxes and buttons, the log
// below them, Timer1.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/MainWindow.h"
#include "platform/win32/Win32LogBox.h"
#include "platform/win32/Win32TextBox.h"
#include "platform/win32/Win32Window.h"

class TWin32MainWindow : public IMainWindow, public TWin32Window {
  public:
    // Creates the window (hidden) with the rows' controls and starts its timer. Throws
    // Exception when the window or one of its controls cannot be created. The rows must
    // outlive the window.
    TWin32MainWindow(HINSTANCE instance, TMainWindowRows rows);
    ~TWin32MainWindow() override;

    HWND Handle() const { return Window; }

    ITextBox& Box(int boxId) override;
    ILogBox& Memo1() override { return LogBox; }

    void Connect(IMainWindowEvents& events) override { Events = &events; }
    void Show() override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    void CreateLogBox();
    bool IsRowButton(int id) const;
    bool ReportsChange(int boxId) const;
    HWND AddControl(const char* className,
                    const char* text,
                    DWORD style,
                    int id,
                    int x,
                    int y,
                    int width,
                    int height);
    void PlaceAtDpi();
    void LayOut();
    // Sizes are given at 96 DPI; this is one of them at the window's DPI.
    int Scale(int valueAt96) const;
    void SetDpi(int dpi);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void OnCommand(int id, int notification);
    void OnClose();
    void DeleteFont();
    HINSTANCE Instance;
    TMainWindowRows Rows;
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

    // One a row, in the rows' order.
    std::vector<std::unique_ptr<TWin32TextBox>> Boxes;
    // The end buttons, which LayOut puts at their rows' right end.
    std::vector<std::pair<HWND, int>> EndButtons;  // button, row
    TWin32LogBox LogBox;
};
