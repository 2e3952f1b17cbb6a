// Window lookups over EnumWindows, GetWindow(GW_CHILD/GW_HWNDNEXT) and WM_GETTEXT.
#include "tools/automation/WindowFinder.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
constexpr UINT kAnswerTimeoutMs = 5000;
constexpr int kMessageBoxTextId = 0xFFFF;

BOOL CALLBACK CollectVisible(HWND window, LPARAM list) {
    if (IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

bool ClassIs(HWND window, const char* name) {
    return _stricmp(ClassOf(window).c_str(), name) == 0;
}

std::string WithoutAccelerators(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;  // "&&" stands for one "&"
        }
        plain.push_back(text[i]);
    }
    return plain;
}

std::string TextOr(HWND control, const std::string& otherwise) {
    std::string text;
    return ReadControlText(control, text) ? text : otherwise;
}

// The window's own children, in z-order.
std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}
}  // namespace

std::vector<HWND> VisibleTopLevels() {
    std::vector<HWND> windows;
    EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindVisibleTopLevel(const std::string& caption) {
    for (HWND window : VisibleTopLevels()) {
        if (CaptionOf(window) == caption) {
            return window;
        }
    }
    return nullptr;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string CaptionOf(HWND window) {
    // For a window of another process GetWindowTextA returns the caption the system keeps,
    // without sending WM_GETTEXT (which could block on a busy program).
    char caption[512] = {};
    const int length = GetWindowTextA(window, caption, sizeof caption);
    return std::string(caption, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool ReadControlText(HWND control, std::string& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length)) {
        return false;
    }
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied)) {
        return false;
    }
    buffer.resize(copied < buffer.size() ? static_cast<std::size_t>(copied) : buffer.size() - 1);
    text = buffer;
    return true;
}

HWND FindButton(HWND window, const std::string& caption) {
    for (HWND child : Children(window)) {
        if (ClassIs(child, "Button") && WithoutAccelerators(TextOr(child, "")) == caption) {
            return child;
        }
    }
    return nullptr;
}

HWND FindEdit(HWND window, const std::string& control) {
    std::vector<HWND> edits;
    HWND label = nullptr;
    for (HWND child : Children(window)) {
        if (ClassIs(child, "Edit")) {
            edits.push_back(child);
        } else if (label == nullptr && ClassIs(child, "Static") &&
                   WithoutAccelerators(TextOr(child, "")) == control) {
            label = child;
        }
    }
    if (control.size() > 1 && control[0] == '#') {
        char* end = nullptr;
        const long index = std::strtol(control.c_str() + 1, &end, 10);
        if (*end != '\0' || index < 0 || static_cast<std::size_t>(index) >= edits.size()) {
            return nullptr;
        }
        return edits[static_cast<std::size_t>(index)];
    }
    if (label == nullptr) {
        return nullptr;
    }
    const RECT labelRect = RectOf(label);
    HWND right = nullptr;
    HWND below = nullptr;
    long rightDistance = LONG_MAX;
    long belowDistance = LONG_MAX;
    for (HWND edit : edits) {
        const RECT rect = RectOf(edit);
        const long middle = (rect.top + rect.bottom) / 2;
        if (middle >= labelRect.top - 4 && middle <= labelRect.bottom + 4 &&
            rect.left >= labelRect.left) {
            if (rect.left - labelRect.right < rightDistance) {
                rightDistance = rect.left - labelRect.right;
                right = edit;
            }
        } else if (rect.top >= labelRect.top) {
            const long distance =
                (rect.top - labelRect.bottom) * 4 + labs(rect.left - labelRect.left);
            if (distance < belowDistance) {
                belowDistance = distance;
                below = edit;
            }
        }
    }
    return right != nullptr ? right : below;
}

namespace {

// A message box may name a path in any script, so its text is read wide and given as UTF-8.
bool ReadControlTextUtf8(HWND control, std::string& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length)) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, wide.size(),
                             reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &copied)) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(copied));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    text.assign(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                            bytes, nullptr, nullptr);
    }
    return true;
}

}  // namespace

bool MessageBoxText(HWND box, std::string& text) {
    HWND textControl = GetDlgItem(box, kMessageBoxTextId);
    if (textControl != nullptr && ReadControlTextUtf8(textControl, text) && !text.empty()) {
        return true;
    }
    for (HWND child : Children(box)) {
        if (ClassIs(child, "Static") && ReadControlTextUtf8(child, text) && !text.empty()) {
            return true;
        }
    }
    return false;
}
