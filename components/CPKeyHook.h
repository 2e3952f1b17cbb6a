// TCPKeyHook: receives every keystroke of the desktop from the hook library and decodes it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/Component.h"
#include "components/KeyRecords.h"
#include "components/OwnKeystrokes.h"
#include "platform/HiddenWindow.h"
#include "platform/KeyboardHookLibrary.h"
#include "platform/KeyboardQueries.h"
#include "platform/WindowMessage.h"

// The keystroke handler; both records are copies.
using TKeyHookedEvent =
    std::function<void(TComponent* sender, TKeyStates aKeyStates, TKeyNames aKeyNames)>;

class TCPKeyHook : public TComponent {
  public:
    // The message the hook library reports each keystroke with (HookMessage).
    static constexpr std::uint32_t kHookMessage = 1327;

    TCPKeyHook(TComponent* owner,
               IKeyboardQueries& keyboard,
               IKeyboardHookLibrary& hookLibrary,
               IHiddenWindows& windows,
               TOwnKeystrokes* ownKeystrokes = nullptr);
    ~TCPKeyHook() override;

    bool StartHook();

    bool GetEnabled() const { return Enabled; }
    void SetEnabled(bool) {}  // stored values have no effect: only StartHook enables
    const std::string& GetKeyboardLayout() const { return KeyboardLayout; }
    void SetKeyboardLayout(const std::string&) {}  // always the layout of this machine
    std::int32_t GetKeyboardHandle() const { return KeyboardHandle; }

    TKeyHookedEvent OnKey;

    // True while OnKey runs for the echo of a key that this program injected itself.
    bool IsOwnEcho() const { return HandlingOwnEcho; }

  protected:
    virtual void HookWndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

  private:
    void WMKeyHook(TMessage& message);

    IKeyboardQueries& Keyboard;
    IKeyboardHookLibrary& HookLibrary;
    // The program's own injected keys; when given, their echoes are told apart (IsOwnEcho).
    TOwnKeystrokes* const OwnKeystrokes;
    std::unique_ptr<IHiddenWindow> HookWindow;
    bool Enabled = false;
    bool HandlingOwnEcho = false;
    bool KeepsDeadKeyState = false;
    std::string KeyboardLayout;
    std::int32_t KeyboardHandle = 0;
};
