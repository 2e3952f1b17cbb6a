// Dialogs whose answers the test scripts; what they showed is recorded.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Dialogs.h"
#include "tests/fakes/FakeBoxes.h"

class TFakeDialogs : public IDialogs {
  public:
    void WarningBox(const std::string& text) override {
        Warnings.push_back(text);
        if (OnWarning) {
            OnWarning(text);
        }
    }
    bool ErrorBox(const std::string& caption, const std::string& text) noexcept override {
        Errors.push_back(caption + ": " + text);
        if (WhileErrorOpen) {
            WhileErrorOpen(text);
        }
        return !ErrorBoxFails;
    }
    std::string InputBox(const std::string& caption,
                         const std::string& prompt,
                         const std::string& defaultText) override {
        InputBoxes.push_back(caption + " / " + prompt + " / " + defaultText);
        if (WhileInputOpen) {
            WhileInputOpen();
        }
        if (InputAnswers.empty()) {
            return defaultText;  // as if cancelled
        }
        std::string answer = std::move(InputAnswers.front());
        InputAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> Warnings;
    std::vector<std::string> Errors;
    std::vector<std::string> InputBoxes;
    std::deque<std::string> InputAnswers;
    // Runs while the input box is open.
    std::function<void()> WhileInputOpen;
    // Runs while a warning box is open (as its modal loop would dispatch messages).
    std::function<void(const std::string&)> OnWarning;
    // Runs while an error box is open, as its modal loop would dispatch messages; it must
    // throw nothing, as nothing may leave MessageBoxW's loop.
    std::function<void(const std::string&)> WhileErrorOpen;
    // MessageBoxW answers 0 (no box could be shown); the box is still recorded as attempted.
    bool ErrorBoxFails = false;
};

// The key-capture window: while "open" it runs the test's action, then closes with the
// scripted key, or without one (the close command) when none is scripted.
class TFakeKeyCaptureWindow : public IKeyCaptureWindow {
  public:
    TModalResult ShowModal(const std::function<void(std::uint8_t)>& onCharacter) override {
        ++Shown;
        if (WhileOpen) {
            WhileOpen();
        }
        if (Keys.empty()) {
            return TModalResult::Cancel;
        }
        const std::uint8_t key = Keys.front();
        Keys.pop_front();
        onCharacter(key);
        return TModalResult::OK;
    }

    int Shown = 0;
    std::deque<std::uint8_t> Keys;
    std::function<void()> WhileOpen;
};

// The message-entry window: while "open" it runs the test's action (which may type into
// Edit1), then closes with the scripted result.
class TFakeMessageEntryWindow : public IMessageEntryWindow {
  public:
    ITextBox& Edit1() override { return Edit; }
    TModalResult ShowModal() override {
        ShownWith.push_back(Edit.Text());
        if (WhileOpen) {
            WhileOpen();
        }
        return Result;
    }

    TFakeTextBox Edit;
    TModalResult Result = TModalResult::OK;
    std::vector<std::string> ShownWith;
    std::function<void()> WhileOpen;
};
