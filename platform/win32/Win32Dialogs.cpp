// The message boxes and the one-line input box of the application.
#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/Win32LastError.h"
#include "platform/win32/Win32Text.h"

namespace {
// Sized for a prompt line and a short value, like the system's own input boxes.
constexpr TEditDialogLook kInputBoxLook{
    "", "", 320, 128, /*EnterMeansOK=*/true, /*UnlimitedText=*/false};
}  // namespace

TWin32Dialogs::TWin32Dialogs(TOwnerSource owner) : Owner(std::move(owner)) {}

TWin32Dialogs::~TWin32Dialogs() = default;

HWND TWin32Dialogs::OwnerWindow() const {
    return reinterpret_cast<HWND>(Owner ? Owner() : 0);
}

// MessageBoxA disables its owner and runs a dialog loop of its own that dispatches the
// thread's other messages (timer ticks, keystroke reports) while the box is open.
void TWin32Dialogs::WarningBox(const std::string& text) {
    if (MessageBoxA(OwnerWindow(), text.c_str(), "Warning", MB_OK | MB_ICONWARNING) == 0) {
        ThrowLastError("Show message box", "Warning");
    }
}

// The error box is shown from inside a catch, often in a window procedure: a failure here has
// nowhere to go, so it tries what it can and answers false. MessageBoxW, because the text may
// hold a path with characters outside the ANSI code page. MessageBoxW fails when its owner is
// being destroyed; without an owner (MB_TASKMODAL disables the thread's windows instead) it
// can still be shown.
bool TWin32Dialogs::ErrorBox(const std::string& caption, const std::string& text) noexcept {
    constexpr UINT kStyle = MB_OK | MB_ICONERROR;
    try {
        const std::wstring wideText = WideFromMessage(text);
        const std::wstring wideCaption = WideFromMessage(caption);
        if (MessageBoxW(OwnerWindow(), wideText.c_str(), wideCaption.c_str(), kStyle) != 0) {
            return true;
        }
        return MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(), kStyle | MB_TASKMODAL) !=
               0;
    } catch (const std::exception&) {
        // No memory for the UTF-16 texts: the bytes as they are, which needs none.
        return MessageBoxA(nullptr, text.c_str(), caption.c_str(), kStyle | MB_TASKMODAL) != 0;
    }
}

std::string TWin32Dialogs::InputBox(const std::string& caption,
                                    const std::string& prompt,
                                    const std::string& defaultText) {
    if (!InputWindow) {
        InputWindow = std::make_unique<TWin32EditDialogWindow>(kInputBoxLook);
    }
    InputWindow->SetCaption(caption);
    InputWindow->SetPrompt(prompt);
    InputWindow->SetText(defaultText);
    if (InputWindow->ShowModal(OwnerWindow()) == TModalResult::OK) {
        return InputWindow->Text();
    }
    return defaultText;
}
