// Keeps one key event from being reported twice while two of the program's hooks are in the
// chain; portable, so that it is tested natively.
#pragma once

#include <cstdint>

// What tells one low-level key event from another (KBDLLHOOKSTRUCT without its layout).
struct TLowLevelEventId {
    std::uint32_t VirtualKey;
    std::uint32_t ScanCode;
    std::uint32_t Flags;
    std::uint32_t Time;
    std::uint64_t ExtraInfo;

    friend bool operator==(const TLowLevelEventId&, const TLowLevelEventId&) = default;
};

// When the hook is installed again, the new hook goes in before the old one comes out, so for
// a moment both are in the chain and one key event may reach the hook procedure twice. Windows
// (and Wine) calls a low-level hook on the thread that installed it, and CallNextHookEx calls
// the next hook of the same thread directly: the second call runs inside the first one's
// CallNextHookEx, with the same event. The guard remembers the events this thread is passing
// on; an event that arrives while it is being passed on is the same one coming round again.
// A different event may arrive there too (another thread's injected key, while the chain
// waits for a hook of another thread) and is reported. Allocates nothing: each pass-on lives
// in its caller's stack frame. One thread owns it.
class THookChainGuard {
  public:
    // Marks an event as being passed on for the lifetime of the object.
    class TPassingOn {
      public:
        TPassingOn(THookChainGuard& guard, const TLowLevelEventId& event) noexcept
            : Guard(guard), Event(event), Outer(guard.Innermost) {
            Guard.Innermost = this;
        }
        ~TPassingOn() { Guard.Innermost = Outer; }

        TPassingOn(const TPassingOn&) = delete;
        TPassingOn& operator=(const TPassingOn&) = delete;

      private:
        friend class THookChainGuard;
        THookChainGuard& Guard;
        const TLowLevelEventId Event;
        const TPassingOn* const Outer;
    };

    // True when the event is already being passed on down the chain by this thread.
    bool IsPassingOn(const TLowLevelEventId& event) const noexcept {
        for (const TPassingOn* passing = Innermost; passing != nullptr; passing = passing->Outer) {
            if (passing->Event == event) {
                return true;
            }
        }
        return false;
    }

  private:
    const TPassingOn* Innermost = nullptr;
};
