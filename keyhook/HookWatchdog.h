// Tells the hook thread when to install the keyboard hook again because Windows has removed it;
// portable, so that it is tested natively.
#pragma once

#include <algorithm>
#include <cstdint>

// What the hook thread reads at each check. Each is a count that wraps; only differences and
// changes mean anything.
struct THookSample {
    std::uint32_t Now;     // GetTickCount, in milliseconds
    std::uint32_t Inputs;  // key events the system took in (their raw input), heard or not
    std::uint32_t Events;  // key events the hook procedure has been called for
};

// From Windows 7 on, a low-level hook whose procedure overruns LowLevelHooksTimeout is removed
// without a word, and the program would be deaf for the rest of the race. The sign is a key
// that the system took in and the hook never heard. The hook thread checks at each key's raw
// input, which may come before or after the hook's call for the same key, so the hook is
// suspect only when a whole check has passed after the input without an event: the second key
// event unheard. The suspicion holds until an event comes or the hook is installed again.
//
// A false alarm (raw input that another program posts, say) must be harmless: the hook thread
// installs the new hook before it removes the old one, and reports each key once; and while
// no event proves the new hook alive, the reinstalls back off from one second to eight. An
// event starts the next alarm at once again.
//
// Wheel, pedals and other game controllers are no keys, so a hook removed while the driver
// only steers would be found by none of that, and only at the next key lost: likely the
// pit-in key. The hook is therefore put back on a period as well, whatever the input, counted
// from the last install. Allocates nothing; one thread owns it.
class THookWatchdog {
  public:
    static constexpr std::uint32_t kFirstRetryMs = 1000;
    static constexpr std::uint32_t kLongestRetryMs = 8000;
    static constexpr std::uint32_t kReinstallPeriodMs = 15000;

    // `installed`: the sample taken when the hook went in.
    explicit THookWatchdog(const THookSample& installed,
                           std::uint32_t reinstallPeriodMs = kReinstallPeriodMs) noexcept
        : Previous(installed), LastInstall(installed.Now), PeriodMs(reinstallPeriodMs) {}

    // True when the hook thread should install the hook again now.
    bool Check(const THookSample& sample) noexcept {
        const bool inputMoved = sample.Inputs != Previous.Inputs;
        const bool heard = sample.Events != Previous.Events;
        Previous = sample;
        if (heard) {
            Suspect = false;
            RetryGapMs = 0;
        } else if (InputUnheard) {
            Suspect = true;
        }
        InputUnheard = inputMoved && !heard;
        const std::uint32_t sinceInstallMs = sample.Now - LastInstall;
        const bool alarm = Suspect && sinceInstallMs >= RetryGapMs;
        if (!alarm && sinceInstallMs < PeriodMs) {
            return false;
        }
        // Input that came before the new hook says nothing about it.
        Suspect = false;
        InputUnheard = false;
        LastInstall = sample.Now;
        if (alarm) {
            RetryGapMs =
                RetryGapMs == 0 ? kFirstRetryMs : std::min(RetryGapMs * 2, kLongestRetryMs);
        }
        return true;
    }

  private:
    THookSample Previous;
    std::uint32_t LastInstall;
    std::uint32_t PeriodMs;
    std::uint32_t RetryGapMs = 0;  // since the last install; 0 while events come
    bool InputUnheard = false;     // input came before the latest check, with no event
    bool Suspect = false;          // a whole check passed after input with no event
};
