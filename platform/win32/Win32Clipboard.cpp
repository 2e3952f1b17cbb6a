// The log's text on the clipboard, in the forms that 8-bit and Unicode programs read.
#include "platform/win32/Win32Clipboard.h"

namespace {

// Another program (a clipboard manager, a remote desktop client) may hold the clipboard open
// for a moment after every change; OpenClipboard then fails until it closes it.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

// A movable block for SetClipboardData, which takes it over only when it succeeds.
HGLOBAL Block(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) {
        return nullptr;
    }
    void* at = GlobalLock(block);
    if (at == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    CopyMemory(at, bytes, size);
    GlobalUnlock(block);
    return block;
}

bool Put(UINT format, HGLOBAL block) {
    if (block == nullptr) {
        return false;
    }
    if (SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);
        return false;
    }
    return true;
}

// The formats that Windows 10 (1809 on) reads to keep a copy out of the clipboard history and
// the cloud clipboard: the log holds every key the driver typed anywhere. The first excludes
// the copy from both whatever its data; the other two do when they hold a DWORD 0. An older
// system ignores them.
constexpr const wchar_t* kPrivacyFormats[] = {L"ExcludeClipboardContentFromMonitorProcessing",
                                              L"CanIncludeInClipboardHistory",
                                              L"CanUploadToCloudClipboard"};

bool PutPrivacyFormats() {
    const DWORD no = 0;
    bool put = true;
    for (const wchar_t* name : kPrivacyFormats) {
        const UINT format = RegisterClipboardFormatW(name);
        put = put && format != 0 && Put(format, Block(&no, sizeof no));
    }
    return put;
}

bool OpenClipboardSoon(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner)) {
            return true;
        }
        if (attempt == kOpenAttempts) {
            return false;
        }
        Sleep(kOpenRetryMs);
    }
}

}  // namespace

// With CF_TEXT alone, Windows makes the CF_UNICODETEXT that Unicode programs paste with the code
// page of the active input language, not the ANSI one the text is in: under a Cyrillic or Greek
// layout an "é" would paste as another letter. So the Unicode text is made here with CP_ACP,
// and CF_LOCALE names the system locale, whose code page CP_ACP is, for the CF_TEXT.
bool PutTextOnClipboard(HWND owner, const std::string& text) {
    // MultiByteToWideChar answers 0 for no text; with a null buffer, the length it needs.
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (!wide.empty()) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(),
                            static_cast<int>(wide.size()));
    }
    const LCID locale = GetSystemDefaultLCID();
    if (!OpenClipboardSoon(owner)) {
        return false;
    }
    // Each string with its terminating zero, which c_str() provides.
    bool copied = EmptyClipboard() && Put(CF_TEXT, Block(text.c_str(), text.size() + 1));
    copied =
        copied && Put(CF_UNICODETEXT, Block(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
    copied = copied && Put(CF_LOCALE, Block(&locale, sizeof locale));
    copied = copied && PutPrivacyFormats();
    CloseClipboard();
    return copied;
}
