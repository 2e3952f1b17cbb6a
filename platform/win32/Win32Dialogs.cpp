// The message boxes and the one-line input box of the application.
#include "platform/win32/Win32Dialogs.h"

#include "platform/win32/Win32LastError.h"

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

void TWin32Dialogs::ErrorBox(const std::string& caption, const std::string& text) {
    if (MessageBoxA(OwnerWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR) == 0) {
        ThrowLastError("Show message box", caption);
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
