// TfisHotKey: registers one key combination as a hot key of the whole desktop.
#pragma once

#include <cstdint>
#include <memory>

#include "components/Component.h"
#include "components/NotifyEvent.h"
#include "platform/HotKeys.h"
#include "platform/WindowMessage.h"

// A shortcut: virtual key in bits 0 to 7, Shift 0x2000, Ctrl 0x4000, Alt 0x8000.
using TShortCut = std::uint16_t;

class TfisHotKey : public TComponent {
  public:
    static constexpr std::uint32_t kWmHotKey = 786;  // WM_HOTKEY

    TfisHotKey(TComponent* owner, IHotKeys& hotKeys);
    ~TfisHotKey() override;

    bool GetEnabled() const { return Enabled; }
    void SetEnabled(bool value);
    TShortCut GetKey() const { return Key; }
    void SetKey(TShortCut value);

    TNotifyEvent OnHotKey;

  protected:
    void Loaded() override;

  private:
    void RegisterKey();
    void UnregisterKey();
    void HotKeyWndProc(TMessage& message);

    IHotKeys& HotKeys;
    bool Enabled = true;
    bool Registered = false;
    TWindowProc OldWindowProc;
    TShortCut Key = 0;
    std::unique_ptr<IHotKeyWindow> HotKeyWindow;  // absent in design state
};
