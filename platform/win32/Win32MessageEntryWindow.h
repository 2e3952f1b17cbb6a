// IMessageEntryWindow over an edit dialog of our own ("New Message Dialog").
#pragma once

#include "platform/Dialogs.h"
#include "platform/win32/Win32EditDialogWindow.h"
#include "platform/win32/Win32ModalSession.h"

class TWin32MessageEntryWindow : public IMessageEntryWindow {
  public:
    // Creates the window hidden; it lives, and is shown again and again, until destruction.
    explicit TWin32MessageEntryWindow(TOwnerSource owner);

    ITextBox& Edit1() override { return Edit1Box; }
    TModalResult ShowModal() override;

    HWND Handle() const { return Dialog.Handle(); }

  private:
    class TEdit1 : public ITextBox {
      public:
        explicit TEdit1(TWin32EditDialogWindow& dialog) : Dialog(dialog) {}
        std::string Text() const override { return Dialog.Text(); }
        void SetText(const std::string& text) override { Dialog.SetText(text); }

      private:
        TWin32EditDialogWindow& Dialog;
    };

    TOwnerSource Owner;
    TWin32EditDialogWindow Dialog;
    TEdit1 Edit1Box{Dialog};
};
