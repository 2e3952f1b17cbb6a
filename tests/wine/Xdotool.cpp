// xdotool started from inside a Wine program: Wine's CreateProcessA runs a Unix executable
// given by its Unix path.
#include "tests/wine/Xdotool.h"

#include "tests/wine/TargetWindow.h"

#include <vector>

bool Xdotool(const std::string& arguments) {
    std::string commandLine = "/usr/bin/xdotool " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    if (process.hProcess != nullptr) {
        CloseHandle(process.hProcess);
    }
    if (process.hThread != nullptr) {
        CloseHandle(process.hThread);
    }
    return true;
}

bool FocusForTyping(TTargetWindow& target) {
    constexpr int kTries = 3;
    constexpr DWORD kDeadlineMs = 1500;
    char title[256] = {};
    GetWindowTextA(target.Handle(), title, sizeof(title));
    for (int attempt = 0; attempt < kTries; ++attempt) {
        if (!target.TakeFocus()) {
            continue;
        }
        const std::size_t seen = target.Keys.size();
        // One xdotool run keeps the order: the focus is set (--sync waits for it) before F8.
        // Wine splits the command line by Windows rules: double quotes group words.
        if (!Xdotool(std::string("search --name \"^") + title + "$\" windowfocus --sync key F8")) {
            return false;
        }
        const bool typed = PumpUntil(
            [&] {
                for (std::size_t i = seen; i < target.Keys.size(); ++i) {
                    if (!target.Keys[i].Down() && target.Keys[i].VirtualKey == VK_F8) {
                        return true;
                    }
                }
                return false;
            },
            kDeadlineMs);
        if (typed) {
            return true;
        }
    }
    return false;
}
