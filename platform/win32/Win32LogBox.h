// The main window's log box: a list view that shows the event log's lines, as ILogBox.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/LogBox.h"

// The log box: an owner-data list view in report mode, one column and no header. It holds no
// text of its own: it asks the log for the lines it draws, so a tick's append costs the same at
// any length of the log. Flush, which the window calls on every timer tick, shows the new lines
// and scrolls to the newest. Ctrl+A selects every line; Ctrl+C copies the selected ones, and
// beeps when the clipboard refuses them.
class TWin32LogBox : public ILogBox {
  public:
    // The window class to create the box with; registers the common controls' list view.
    static const char* ClassName();
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT |
                                    LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS;

    void Attach(HWND listView);
    HWND Handle() const { return ListView; }

    void ShowLines(const ILogLines* lines) override;
    void Flush() override;
    // The column spans the box, or the widest line where that is wider; after a resize.
    void FitColumn();
    // The list view's WM_NOTIFY to its parent: the text of a line, and the keys.
    LRESULT OnNotify(const NMHDR& header);

    void SelectAll();
    // Puts the selected lines on the clipboard, joined by CR LF (PutTextOnClipboard). False
    // when the clipboard refused them; with nothing selected it copies nothing and is true.
    bool CopySelection();

  private:
    std::string LineText(std::size_t index) const;

    HWND ListView = nullptr;
    const ILogLines* Lines = nullptr;
    std::size_t Shown = 0;
    // The widest line measured, and its length in bytes: only longer lines are measured.
    int WidestPixels = 0;
    std::size_t WidestBytes = 0;
    int ColumnWidth = -1;
    // LVN_GETDISPINFO hands out a pointer to this; it stays valid until the next request.
    std::string DisplayText;
};
