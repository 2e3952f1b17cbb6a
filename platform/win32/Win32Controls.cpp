// Reading and writing the edit controls of the main window.
#include "platform/win32/Win32Controls.h"

std::string TWin32TextBox::Text() const {
    const int length = GetWindowTextLengthA(Edit);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(Edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

void TWin32TextBox::SetText(const std::string& text) {
    if (text != Text()) {
        SetWindowTextA(Edit, text.c_str());
    }
}

void TWin32LogBox::Attach(HWND edit) {
    Edit = edit;
    // EM_SETLIMITTEXT 0 lifts a multi-line edit's limit to the most it can hold, so that the
    // log never stops growing at the default 30,000 characters.
    SendMessageA(Edit, EM_SETLIMITTEXT, 0, 0);
}

void TWin32LogBox::AppendLine(const std::string& line) {
    All.push_back(line);
    if (ControlHasText || !Pending.empty()) {
        Pending += "\r\n";
    }
    Pending += line;
}

void TWin32LogBox::Flush() {
    if (Pending.empty() || Edit == nullptr) {
        return;
    }
    // WM_GETTEXTLENGTH is a stored count; EM_SETSEL and EM_REPLACESEL touch only the end.
    const LRESULT end = SendMessageA(Edit, WM_GETTEXTLENGTH, 0, 0);
    SendMessageA(Edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageA(Edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Pending.c_str()));
    SendMessageA(Edit, EM_SCROLLCARET, 0, 0);
    Pending.clear();
    ControlHasText = true;
}
