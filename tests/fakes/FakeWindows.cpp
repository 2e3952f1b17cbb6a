// The fake windows, hook library and hot keys.
#include "tests/fakes/FakeWindows.h"

namespace {
constexpr TWindowHandle kFirstHandle = 0x100;
constexpr std::intptr_t kDefaultReplyBase = 1000;
std::uint32_t nextHandle = 0;
}  // namespace

TFakeHiddenWindow::~TFakeHiddenWindow() {
    Journal.push_back("destroy window");
}

std::intptr_t TFakeHiddenWindow::DefaultProcessing(const TMessage& message) {
    Journal.push_back("default " + std::to_string(message.Msg));
    return kDefaultReplyBase + message.Msg;
}

std::intptr_t TFakeHiddenWindow::Send(std::uint32_t message,
                                      std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    TMessage sent{message, wParam, lParam, -1};
    Proc(sent);
    return sent.Result;
}

std::unique_ptr<IHiddenWindow> TFakeHiddenWindows::CreateHiddenWindow(TWindowProc windowProc) {
    auto window = std::make_unique<TFakeHiddenWindow>(kFirstHandle + nextHandle++,
                                                      std::move(windowProc), Journal);
    Last = window.get();
    Journal.push_back("create window");
    return window;
}

bool TFakeKeyboardHookLibrary::Start(TWindowHandle window, std::uint32_t message) {
    Journal.push_back("start " + std::to_string(window) + " " + std::to_string(message));
    return StartResult;
}

TFakeHotKeyWindow::TFakeHotKeyWindow(TWindowHandle handle, TJournal& journal)
    : Window(handle), Proc(TOwnEntry{this}), Journal(journal) {}

void TFakeHotKeyWindow::TOwnEntry::operator()(TMessage& message) const {
    Window->Journal.push_back("old proc " + std::to_string(message.Msg));
    message.Result = 2 * kDefaultReplyBase + message.Msg;
}

TFakeHotKeyWindow::~TFakeHotKeyWindow() {
    const bool ownEntry = Proc.target<TOwnEntry>() != nullptr;
    if (Created) {
        Journal.push_back(ownEntry ? "destroy window" : "destroy subclassed window");
    } else {
        Journal.push_back(ownEntry ? "free control" : "free subclassed control");
    }
}

void TFakeHotKeyWindow::SetWindowProc(TWindowProc windowProc) {
    Proc = std::move(windowProc);
}

TWindowHandle TFakeHotKeyWindow::Handle() {
    if (!Created) {
        Created = true;
        Journal.push_back("create window");
    }
    return Window;
}

std::intptr_t TFakeHotKeyWindow::Send(std::uint32_t message,
                                      std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    TMessage sent{message, wParam, lParam, 0};
    Proc(sent);
    return sent.Result;
}

std::unique_ptr<IHotKeyWindow> TFakeHotKeys::CreateHotKeyWindow() {
    auto window = std::make_unique<TFakeHotKeyWindow>(kFirstHandle + nextHandle++, Journal);
    Last = window.get();
    return window;
}

bool TFakeHotKeys::RegisterHotKey(TWindowHandle window,
                                  std::int32_t id,
                                  std::uint32_t modifiers,
                                  std::uint32_t virtualKey) {
    // MOD_NOREPEAT changes only how auto-repeats are reported, not the combination.
    constexpr std::uint32_t kModNoRepeat = 0x4000;
    const TCombination combination{modifiers & ~kModNoRepeat, virtualKey};
    bool held = false;
    for (const auto& registration : Registered) {
        held = held || registration.second == combination;
    }
    const bool accepted = !held && Refused.count(combination) == 0;
    if (accepted) {
        Registered.emplace(std::make_pair(window, id), combination);
    }
    Journal.push_back("register " + std::to_string(modifiers) + "+" + std::to_string(virtualKey) +
                      (accepted ? "" : " refused"));
    return accepted;
}

bool TFakeHotKeys::UnregisterHotKey(TWindowHandle window, std::int32_t id) {
    Journal.push_back("unregister " + std::to_string(id));
    // A multimap keeps equal keys in the order they were inserted: lower_bound is the oldest.
    const auto oldest = Registered.lower_bound({window, id});
    if (oldest == Registered.end() || oldest->first != std::make_pair(window, id)) {
        return false;
    }
    Registered.erase(oldest);
    return true;
}
