// The global hot key: keeps the system's registration in step with Key and Enabled, and raises
// OnHotKey for each WM_HOTKEY.
#include "components/fisHotKey.h"

namespace {

// The one registration of a component uses identifier 0 on its own window.
constexpr std::int32_t kHotKeyId = 0;

constexpr TShortCut kShortCutShift = 0x2000;
constexpr TShortCut kShortCutCtrl = 0x4000;
constexpr TShortCut kShortCutAlt = 0x8000;
constexpr TShortCut kShortCutKeyMask = 0x00FF;

// RegisterHotKey's MOD_ALT, MOD_CONTROL and MOD_SHIFT.
constexpr std::uint32_t kModAlt = 1;
constexpr std::uint32_t kModControl = 2;
constexpr std::uint32_t kModShift = 4;

}  // namespace

TfisHotKey::TfisHotKey(TComponent* owner, IHotKeys& hotKeys) : TComponent(owner), HotKeys(hotKeys) {
    if (!Designing()) {
        // Subclassed: the window's own entry is kept and gets every message after ours. The
        // system window itself is made at the first registration.
        HotKeyWindow = HotKeys.CreateHotKeyWindow();
        OldWindowProc = HotKeyWindow->WindowProc();
        HotKeyWindow->SetWindowProc([this](TMessage& message) { HotKeyWndProc(message); });
    }
}

TfisHotKey::~TfisHotKey() {
    if (HotKeyWindow != nullptr) {
        UnregisterKey();
        HotKeyWindow->SetWindowProc(OldWindowProc);
        HotKeyWindow.reset();
    }
}

void TfisHotKey::Loaded() {
    TComponent::Loaded();
    if (Enabled && !Designing()) {
        RegisterKey();
    }
}

void TfisHotKey::SetKey(TShortCut value) {
    if (value == Key) {
        return;
    }
    Key = value;
    if (Designing()) {
        return;
    }
    UnregisterKey();
    if (Enabled) {
        RegisterKey();
    }
}

void TfisHotKey::SetEnabled(bool value) {
    Enabled = value;
    if (Designing()) {
        return;
    }
    if (Enabled) {
        RegisterKey();
    } else {
        UnregisterKey();
    }
}

// A refused registration (another program may hold the combination) leaves the component
// unregistered without a word; the next trigger tries again.
void TfisHotKey::RegisterKey() {
    if (Registered || HotKeyWindow == nullptr) {
        return;
    }
    std::uint32_t modifiers = 0;
    if ((Key & kShortCutShift) != 0) {
        modifiers |= kModShift;
    }
    if ((Key & kShortCutCtrl) != 0) {
        modifiers |= kModControl;
    }
    if ((Key & kShortCutAlt) != 0) {
        modifiers |= kModAlt;
    }
    Registered = HotKeys.RegisterHotKey(HotKeyWindow->Handle(), kHotKeyId, modifiers,
                                        Key & kShortCutKeyMask);
}

// Whatever the system answers, the registration is gone as far as the component knows.
void TfisHotKey::UnregisterKey() {
    if (!Registered) {
        return;
    }
    HotKeys.UnregisterHotKey(HotKeyWindow->Handle(), kHotKeyId);
    Registered = false;
}

// Any WM_HOTKEY reaching the window is ours, whatever identifier it carries.
void TfisHotKey::HotKeyWndProc(TMessage& message) {
    if (message.Msg == kWmHotKey && OnHotKey) {
        OnHotKey(this);
    }
    if (OldWindowProc) {
        OldWindowProc(message);
    }
}
