// The log box and a text box of the window, as plain strings.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/LogBox.h"
#include "platform/TextBox.h"
#include "platform/TopLevelWindows.h"

class TFakeLogBox : public ILogBox {
  public:
    void AppendLine(const std::string& line) override { Stored.push_back(line); }
    std::vector<std::string> Lines() const override { return Stored; }

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
    TWindowHandle FindWindowByTitle(const char* title) override {
        FoundTitles.emplace_back(title);
        return title == KnownTitle ? KnownWindow : 0;
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
