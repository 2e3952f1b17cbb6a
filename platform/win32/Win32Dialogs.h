// IDialogs over MessageBoxA and MessageBoxW and an edit dialog of our own for the input box.
#pragma once

#include <memory>

#include "platform/Dialogs.h"
#include "platform/win32/Win32EditDialogWindow.h"
#include "platform/win32/Win32ModalSession.h"

class TWin32Dialogs : public IDialogs {
  public:
    explicit TWin32Dialogs(TOwnerSource owner);
    ~TWin32Dialogs() override;

    void WarningBox(const std::string& text) override;
    bool ErrorBox(const std::string& caption, const std::string& text) noexcept override;
    std::string InputBox(const std::string& caption,
                         const std::string& prompt,
                         const std::string& defaultText) override;

  private:
    HWND OwnerWindow() const;

    TOwnerSource Owner;
    // Created at the first input box and kept: one window, shown again each time.
    std::unique_ptr<TWin32EditDialogWindow> InputWindow;
};
