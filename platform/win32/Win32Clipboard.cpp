// The log's text on the clipboard, in the forms that 8-bit and Unicode programs read.
#include "platform/win32/Win32Clipboard.h"

#include <vector>

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

// The block is the system's once `put` took it, and still ours to free when it did not.
bool Put(const TClipboardPut& put, UINT format, HGLOBAL block) {
    if (block == nullptr) {
        return false;
    }
    if (format == 0 || put(format, block) == nullptr) {
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
// Other programs, the clipboard history among them, read the clipboard once it is closed
// (OpenClipboard fails for them until then): the text must never be left there without its
// marks. So the privacy formats go first, and a copy that fails part-way is emptied again
// before the clipboard closes: neither the text unmarked nor the marks alone stay behind.
bool PutTextOnClipboard(HWND owner, const std::string& text, const TClipboardPut& put) {
    // MultiByteToWideChar answers 0 for no text; with a null buffer, the length it needs.
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (!wide.empty()) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(),
                            static_cast<int>(wide.size()));
    }
    const LCID locale = GetSystemDefaultLCID();
    const DWORD no = 0;
    struct TFormat {
        UINT Format;
        const void* Bytes;
        std::size_t Size;
    };
    std::vector<TFormat> formats;
    for (const wchar_t* name : kPrivacyFormats) {
        formats.push_back({RegisterClipboardFormatW(name), &no, sizeof no});
    }
    // Each string with its terminating zero, which c_str() provides.
    formats.push_back({CF_TEXT, text.c_str(), text.size() + 1});
    formats.push_back({CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)});
    formats.push_back({CF_LOCALE, &locale, sizeof locale});
    if (!OpenClipboardSoon(owner)) {
        return false;
    }
    bool copied = EmptyClipboard() != FALSE;
    for (const TFormat& format : formats) {
        copied = copied && Put(put, format.Format, Block(format.Bytes, format.Size));
    }
    if (!copied) {
        EmptyClipboard();
    }
    CloseClipboard();
    return copied;
}
