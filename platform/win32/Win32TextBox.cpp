// Reading and writing the edit controls of the main window.
#include "platform/win32/Win32TextBox.h"

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
