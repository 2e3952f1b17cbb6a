// The log box and a text box of the window, as plain strings.
#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/LogBox.h"
#include "platform/TextBox.h"
#include "platform/TopLevelWindows.h"

// Reads the new lines through the log's line interface at each flush, as the real box reads
// them when it draws after the flush; Stored is what the box would show (a test may clear it).
class TFakeLogBox : public ILogBox {
  public:
    void ShowLines(const ILogLines* lines) override {
        Source = lines;
        Read = lines != nullptr ? lines->LineCount() : 0;
    }
    void Flush() override {
        for (; Source != nullptr && Read < Source->LineCount(); ++Read) {
            std::string line(Source->LineLength(Read) + 1, '?');
            line.resize(Source->CopyLine(Read, line.data(), line.size()));
            Stored.push_back(line);
        }
    }

    const ILogLines* Source = nullptr;
    std::size_t Read = 0;
    std::vector<std::string> Stored;
};

class TFakeTextBox : public ITextBox {
  public:
    explicit TFakeTextBox(std::string text = {}) : Value(std::move(text)) {}

    std::string Text() const override { return Value; }
    // As WM_SETTEXT does, the box keeps the text up to its first zero byte.
    void SetText(const std::string& text) override {
        if (text == Value) {
            return;
        }
        Value = text.substr(0, text.find('\0'));
        if (OnChange) {
            OnChange();
        }
    }

    std::string Value;
    std::function<void()> OnChange;
};

struct TWindowCall {
    std::string Operation;
    TWindowHandle Window;
    friend bool operator==(const TWindowCall&, const TWindowCall&) = default;
};

class TFakeTopLevelWindows : public ITopLevelWindows {
  public:
    // FindWindowA compares titles without regard to case.
    TWindowHandle FindWindowByTitle(const char* title) override {
        FoundTitles.emplace_back(title);
        const std::string asked = title;
        const auto lower = [](unsigned char c) { return std::tolower(c); };
        const bool same = std::ranges::equal(asked, KnownTitle, {}, lower, lower);
        return same ? KnownWindow : 0;
    }
    bool IsIconic(TWindowHandle window) override { return window != 0 && window == Minimized; }
    bool ShowWindowRestore(TWindowHandle window) override {
        Calls.push_back({"ShowWindow", window});
        return true;
    }
    bool BringWindowToTop(TWindowHandle window) override {
        Calls.push_back({"BringWindowToTop", window});
        return true;
    }

    std::string KnownTitle = "Simulation";
    TWindowHandle KnownWindow = 0x1234;
    TWindowHandle Minimized = 0;
    std::vector<std::string> FoundTitles;
    std::vector<TWindowCall> Calls;
};
