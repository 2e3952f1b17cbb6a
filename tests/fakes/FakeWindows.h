// Fake hidden windows, hook library, hot keys and foreground window: they deliver messages to
// the component's window procedure and keep one journal of what the component asked for.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/ForegroundWindows.h"
#include "platform/HiddenWindow.h"
#include "platform/HotKeys.h"
#include "platform/KeyboardHookLibrary.h"

using TJournal = std::vector<std::string>;
using TCombination = std::pair<std::uint32_t, std::uint32_t>;  // modifiers, virtual key

class TFakeHiddenWindow : public IHiddenWindow {
  public:
    TFakeHiddenWindow(TWindowHandle handle, TWindowProc windowProc, TJournal& journal)
        : Window(handle), Proc(std::move(windowProc)), Journal(journal) {}
    ~TFakeHiddenWindow() override;

    TWindowHandle Handle() const override { return Window; }
    // Answers 1000 + the message number and journals the message.
    std::intptr_t DefaultProcessing(const TMessage& message) override;

    // Sends a message to the window procedure and returns its reply.
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

  private:
    TWindowHandle Window;
    TWindowProc Proc;
    TJournal& Journal;
};

class TFakeHiddenWindows : public IHiddenWindows {
  public:
    std::unique_ptr<IHiddenWindow> CreateHiddenWindow(TWindowProc windowProc) override;

    TFakeHiddenWindow* Last = nullptr;  // the window created last
    TJournal Journal;
};

class TFakeKeyboardHookLibrary : public IKeyboardHookLibrary {
  public:
    explicit TFakeKeyboardHookLibrary(TJournal& journal) : Journal(journal) {}

    bool Start(TWindowHandle window, std::uint32_t message) override;
    void Stop() override { Journal.push_back("stop"); }
    THookStartProblem LastStartProblem() const override {
        return StartResult ? THookStartProblem{} : Problem;
    }

    bool StartResult = true;
    THookStartProblem Problem{THookStartFailure::Refused, {}};  // when StartResult is false

  private:
    TJournal& Journal;
};

// The window in front, and each window's process as the test sets it; any other window's is
// Unknown, as for a window that is gone. Counts the process queries. Tells of a change of the
// window in front at the next ForegroundChanged, or with TellLate at the one after, as the
// system's event reaches the program a moment after the change.
class TFakeForegroundWindows : public IForegroundWindows {
  public:
    TWindowHandle ForegroundWindow() override { return Foreground; }
    bool ForegroundChanged() override {
        if (std::exchange(TellLate, false)) {
            return false;
        }
        const bool changed = !Told || *Told != Foreground;
        Told = Foreground;
        return changed;
    }
    TWindowProcess WindowProcess(TWindowHandle window) override {
        ++Queries;
        const auto found = Processes.find(window);
        return found == Processes.end() ? TWindowProcess{} : found->second;
    }

    TWindowHandle Foreground = 0;
    bool TellLate = false;
    std::map<TWindowHandle, TWindowProcess> Processes;
    int Queries = 0;

  private:
    std::optional<TWindowHandle> Told;
};

// A hot-key window whose own entry journals each message and answers 2000 + its number; its
// destruction journals "destroy subclassed window" when another entry is still installed.
class TFakeHotKeyWindow : public IHotKeyWindow {
  public:
    TFakeHotKeyWindow(TWindowHandle handle, TJournal& journal);
    ~TFakeHotKeyWindow() override;

    TWindowHandle Handle() override;
    TWindowProc WindowProc() const override { return Proc; }
    void SetWindowProc(TWindowProc windowProc) override;

    // Sends a message through the current entry and returns its reply.
    std::intptr_t Send(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    bool Created = false;

  private:
    struct TOwnEntry {
        TFakeHotKeyWindow* Window;
        void operator()(TMessage& message) const;
    };

    TWindowHandle Window;
    TWindowProc Proc;
    TJournal& Journal;
};

// The system's registrations by window and identifier, with RegisterHotKey's rules: window 0
// registers for the thread; a combination that any registration holds already (MOD_NOREPEAT
// aside), or that is listed in Refused, is refused; a second registration of one window and
// identifier is kept beside the first, and each UnregisterHotKey frees the oldest of them.
class TFakeHotKeys : public IHotKeys {
  public:
    std::unique_ptr<IHotKeyWindow> CreateHotKeyWindow() override;
    bool RegisterHotKey(TWindowHandle window,
                        std::int32_t id,
                        std::uint32_t modifiers,
                        std::uint32_t virtualKey) override;
    bool UnregisterHotKey(TWindowHandle window, std::int32_t id) override;

    TFakeHotKeyWindow* Last = nullptr;
    std::set<TCombination> Refused;
    std::multimap<std::pair<TWindowHandle, std::int32_t>, TCombination> Registered;
    TJournal Journal;
};
