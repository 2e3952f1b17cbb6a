// The program's own key events, kept from their injection until their echo comes back through
// the keyboard hook.
//
// Windows marks every injected event (LLKHF_INJECTED) but does not say which process injected
// it. Our events carry our mark in their extra information, for our own windows' sake, but the
// hook's report does not bring it to this thread. What this process does know is which events
// it injected and in which order, and the hook sees the system's input stream in that same
// order. So an injected report is ours when it matches one of our events still waiting; keys of
// a real keyboard never carry the injected mark and are never taken for ours.
#include "components/OwnKeystrokes.h"

namespace {

constexpr std::uint32_t kKeyUpFlag = 2;  // KEYEVENTF_KEYUP

// The hook reports Shift, Ctrl and Alt as their left or right key (VK_LSHIFT...), whatever
// generic key was injected.
std::uint32_t GenericKey(std::uint32_t virtualKey) {
    switch (virtualKey) {
        case 0xA0:
        case 0xA1:
            return 0x10;
        case 0xA2:
        case 0xA3:
            return 0x11;
        case 0xA4:
        case 0xA5:
            return 0x12;
        default:
            return virtualKey;
    }
}

}  // namespace

TOwnKeystrokes::TOwnKeystrokes(IKeyboardInput& keyboard, IClock& clock)
    : Keyboard(keyboard), Clock(clock) {}

// Remembered before the call: on Windows the hook has already seen the event when keybd_event
// returns.
void TOwnKeystrokes::KeybdEvent(std::uint8_t virtualKey,
                                std::uint8_t scanCode,
                                std::uint32_t flags,
                                std::uintptr_t extraInfo) {
    if (Count == kCapacity) {
        DropOldest(1);
    }
    Events[(First + Count) % kCapacity] = {virtualKey, (flags & kKeyUpFlag) != 0,
                                           Clock.GetTickCount()};
    ++Count;
    Keyboard.KeybdEvent(virtualKey, scanCode, flags, extraInfo);
}

std::int16_t TOwnKeystrokes::KeyForCharacter(std::uint8_t character) {
    return Keyboard.KeyForCharacter(character);
}

std::uint32_t TOwnKeystrokes::ScanCodeForVirtualKey(std::uint32_t virtualKey) {
    return Keyboard.ScanCodeForVirtualKey(virtualKey);
}

// The oldest waiting event of that key and direction is the one the report stands for. Another
// program's injected key that matches none of ours passes untouched; one that is the very key
// we are typing cannot be told from ours, and is taken for ours. Only the matched event goes:
// the older ones may still be on their way (Wine calls the hook after keybd_event returns), and
// those whose reports were lost expire.
bool TOwnKeystrokes::TakeEcho(std::uint32_t virtualKey, bool released) {
    DropExpired(Clock.GetTickCount());
    const std::uint32_t key = GenericKey(virtualKey);
    for (std::size_t age = 0; age < Count; ++age) {
        const TEvent& event = At(age);
        if (GenericKey(event.VirtualKey) == key && event.Released == released) {
            for (std::size_t later = age; later + 1 < Count; ++later) {
                Events[(First + later) % kCapacity] = At(later + 1);
            }
            --Count;
            return true;
        }
    }
    return false;
}

// Differences of the unsigned counter stay right across its wrap after 49.7 days.
void TOwnKeystrokes::DropExpired(std::uint32_t now) {
    while (Count > 0 && now - At(0).InjectedAt > kEchoLifetimeMs) {
        DropOldest(1);
    }
}

void TOwnKeystrokes::DropOldest(std::size_t count) {
    First = (First + count) % kCapacity;
    Count -= count;
}
