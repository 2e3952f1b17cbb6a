// The two dialogs of the application, their windows made at their first use: the main window
// appears without waiting for windows that stay hidden until the driver clicks a button.
#pragma once

#include <memory>
#include <string>

#include "platform/win32/Win32KeyCaptureWindow.h"
#include "platform/win32/Win32MessageEntryWindow.h"

class TWin32LazyKeyCaptureWindow : public IKeyCaptureWindow {
  public:
    explicit TWin32LazyKeyCaptureWindow(TOwnerSource owner) : Owner(std::move(owner)) {}

    TModalResult ShowModal(const std::function<void(std::uint8_t)>& onCharacter) override {
        if (!Window) {
            Window = std::make_unique<TWin32KeyCaptureWindow>(Owner);
        }
        return Window->ShowModal(onCharacter);
    }

  private:
    TOwnerSource Owner;
    std::unique_ptr<TWin32KeyCaptureWindow> Window;
};

class TWin32LazyMessageEntryWindow : public IMessageEntryWindow, private ITextBox {
  public:
    explicit TWin32LazyMessageEntryWindow(TOwnerSource owner) : Owner(std::move(owner)) {}

    ITextBox& Edit1() override { return *this; }
    TModalResult ShowModal() override { return Made().ShowModal(); }

  private:
    std::string Text() const override { return Window ? Window->Edit1().Text() : ""; }
    void SetText(const std::string& text) override { Made().Edit1().SetText(text); }

    TWin32MessageEntryWindow& Made() {
        if (!Window) {
            Window = std::make_unique<TWin32MessageEntryWindow>(Owner);
        }
        return *Window;
    }

    TOwnerSource Owner;
    std::unique_ptr<TWin32MessageEntryWindow> Window;
};
