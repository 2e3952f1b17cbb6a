// The dialogs under Wine: driven from their own thread by timer steps while their modal loops
// run, as a user's keys and clicks would drive them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32KeyCaptureWindow.h"
#include "platform/win32/Win32MessageEntryWindow.h"
#include "tests/wine/AutomateProcess.h"
#include "tests/wine/ModalScript.h"
#include "tests/wine/TargetWindow.h"
#include "tools/automation/WindowFinder.h"

namespace {

TWindowHandle OwnerHandle() {
    return reinterpret_cast<TWindowHandle>(SharedTarget().Handle());
}

// One of each for the whole process, as in the program: every test shows them again.
TWin32KeyCaptureWindow& KeyCapture() {
    static auto* window = new TWin32KeyCaptureWindow(&OwnerHandle);
    return *window;
}

TWin32MessageEntryWindow& MessageEntry() {
    static auto* window = new TWin32MessageEntryWindow(&OwnerHandle);
    return *window;
}

TWin32Dialogs& Dialogs() {
    static auto* dialogs = new TWin32Dialogs(&OwnerHandle);
    return *dialogs;
}

bool OwnerEnabled() {
    return IsWindowEnabled(SharedTarget().Handle()) != FALSE;
}

void Click(HWND window, const char* button) {
    HWND control = FindButton(window, button);
    ASSERT_NE(control, nullptr) << button;
    PostMessageA(control, BM_CLICK, 0, 0);
}

std::string EditText(HWND edit) {
    std::string text;
    EXPECT_TRUE(ReadControlText(edit, text));
    return text;
}

//--- key-capture window

class KeyCaptureWineTest : public testing::Test {
  protected:
    // Shows the window and returns its result; the characters it reported go to Captured.
    TModalResult Show() {
        return KeyCapture().ShowModal(
            [this](std::uint8_t character) { Captured.push_back(static_cast<char>(character)); });
    }

    std::string Captured;
};

TEST_F(KeyCaptureWineTest, EveryKeyThatTypesACharacterClosesItWithThatCharacter) {
    struct TCase {
        UINT VirtualKey;
        char Character;
    };
    const TCase cases[] = {{VK_RETURN, 13}, {VK_ESCAPE, 27}, {VK_BACK, 8}, {VK_TAB, 9}, {'A', 'a'}};
    for (const TCase& key : cases) {
        SCOPED_TRACE(static_cast<int>(key.Character));
        Captured.clear();
        bool ownerDisabledWhileOpen = false;
        TModalScript script("Set Key");
        script.WhenShown().Then([&] {
            ownerDisabledWhileOpen = !OwnerEnabled();
            PostKeyDown(script.Window(), key.VirtualKey);
            return true;
        });
        EXPECT_EQ(Show(), TModalResult::OK);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(Captured, std::string(1, key.Character));
        EXPECT_TRUE(ownerDisabledWhileOpen);
        EXPECT_TRUE(OwnerEnabled());
        EXPECT_FALSE(IsShown("Set Key"));
    }
}

TEST_F(KeyCaptureWineTest, AKeyWithoutACharacterLeavesItOpen) {
    bool openAfterShift = false;
    TModalScript script("Set Key");
    script.WhenShown()
        .Then([&] {
            PostKeyDown(script.Window(), VK_SHIFT);
            return true;
        })
        .Then([&] {
            // The key-down was posted before this tick's timer message, so it has been handled.
            openAfterShift = IsShown("Set Key") && Captured.empty();
            PostKeyDown(script.Window(), 'Q');
            return true;
        });
    EXPECT_EQ(Show(), TModalResult::OK);
    EXPECT_TRUE(openAfterShift);
    EXPECT_EQ(Captured, "q");
}

TEST_F(KeyCaptureWineTest, TheCloseCommandEndsItWithCancelAndNoCharacter) {
    for (const bool systemCommand : {false, true}) {
        SCOPED_TRACE(systemCommand ? "SC_CLOSE" : "WM_CLOSE");
        TModalScript script("Set Key");
        script.WhenShown().Then([&] {
            if (systemCommand) {
                PostMessageA(script.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                PostMessageA(script.Window(), WM_CLOSE, 0, 0);
            }
            return true;
        });
        EXPECT_EQ(Show(), TModalResult::Cancel);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_TRUE(Captured.empty());
        EXPECT_TRUE(OwnerEnabled());
    }
}

TEST_F(KeyCaptureWineTest, AKeyTypedOnTheKeyboardReachesIt) {
    TModalScript script("Set Key");
    script.WhenShown().Then([&] {
        // keybd_event goes to the foreground window's focus: the window must have taken both.
        keybd_event(VK_TAB, static_cast<BYTE>(MapVirtualKeyA(VK_TAB, MAPVK_VK_TO_VSC)), 0, 0);
        keybd_event(VK_TAB, static_cast<BYTE>(MapVirtualKeyA(VK_TAB, MAPVK_VK_TO_VSC)),
                    KEYEVENTF_KEYUP, 0);
        return true;
    });
    EXPECT_EQ(Show(), TModalResult::OK);
    EXPECT_EQ(Captured, "\t");
}

//--- the modal loops go on dispatching the thread's other messages

int ticks = 0;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
    ++ticks;
}

TEST(ModalLoopWineTest, TimerTicksAndOtherWindowsMessagesGoOnWhileADialogIsOpen) {
    const char* captions[] = {"Set Key", "New Message Dialog", "Wait Time Edit"};
    for (const char* caption : captions) {
        SCOPED_TRACE(caption);
        ticks = 0;
        TTargetWindow& owner = SharedTarget();
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CountTick);
        TModalScript script(caption);
        script.WhenShown()
            .Then([&] {
                // A message for the disabled owner, like the keyboard watch's reports to the
                // main window's components.
                PostMessageA(owner.Handle(), WM_CHAR, 'k', 0);
                return true;
            })
            .Then([&] {
                if (ticks < 5 || owner.Characters != "k") {
                    return false;
                }
                PostMessageA(script.Window(), WM_CLOSE, 0, 0);
                return true;
            });
        if (std::string(caption) == "Set Key") {
            KeyCapture().ShowModal(nullptr);
        } else if (std::string(caption) == "New Message Dialog") {
            MessageEntry().ShowModal();
        } else {
            Dialogs().InputBox(caption, "Enter new time in seconds", "30");
        }
        KillTimer(nullptr, timer);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_GE(ticks, 5);
        EXPECT_EQ(owner.Characters, "k");
    }
}

//--- message-entry window

class MessageEntryWineTest : public testing::Test {
  protected:
    static HWND Edit(HWND window) { return FindEdit(window, "Enter New Message"); }
};

TEST_F(MessageEntryWineTest, OkClosesItWithOkAndEdit1HoldsTheEditedText) {
    MessageEntry().Edit1().SetText("Pit In");
    std::string shownText;
    TModalScript script("New Message Dialog");
    script.WhenShown().Then([&] {
        shownText = EditText(Edit(script.Window()));
        SetWindowTextA(Edit(script.Window()), "Box this lap");
        Click(script.Window(), "OK");
        return true;
    });
    EXPECT_EQ(MessageEntry().ShowModal(), TModalResult::OK);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(shownText, "Pit In");
    EXPECT_EQ(MessageEntry().Edit1().Text(), "Box this lap");
    EXPECT_TRUE(OwnerEnabled());
}

TEST_F(MessageEntryWineTest, CancelEscAndTheCloseCommandCloseItWithCancel) {
    const char* ways[] = {"Cancel", "Esc", "SC_CLOSE"};
    for (const std::string way : ways) {
        SCOPED_TRACE(way);
        TModalScript script("New Message Dialog");
        script.WhenShown().Then([&] {
            if (way == "Cancel") {
                Click(script.Window(), "Cancel");
            } else if (way == "Esc") {
                PostKeyDown(Edit(script.Window()), VK_ESCAPE);
            } else {
                PostMessageA(script.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return true;
        });
        EXPECT_EQ(MessageEntry().ShowModal(), TModalResult::Cancel);
        EXPECT_FALSE(script.TimedOut());
    }
}

TEST_F(MessageEntryWineTest, EnterInTheEditLineDoesNotCloseIt) {
    bool openAfterEnter = false;
    TModalScript script("New Message Dialog");
    script.WhenShown()
        .Then([&] {
            PostKeyDown(Edit(script.Window()), VK_RETURN);
            return true;
        })
        .Then([&] {
            openAfterEnter = IsShown("New Message Dialog");
            Click(script.Window(), "Cancel");
            return true;
        });
    EXPECT_EQ(MessageEntry().ShowModal(), TModalResult::Cancel);
    EXPECT_TRUE(openAfterEnter);
}

TEST_F(MessageEntryWineTest, Edit1TakesAPasteFarLongerThanAnEditsDefaultLimit) {
    // A single-line edit's default limit is 30,000 characters under Wine (32,767 on Windows).
    const std::string pasted(40000, 'm');
    MessageEntry().Edit1().SetText("");
    TModalScript script("New Message Dialog");
    script.WhenShown().Then([&] {
        // EM_REPLACESEL is what a paste does, and it honours the limit as typing does.
        SendMessageA(Edit(script.Window()), EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(pasted.c_str()));
        Click(script.Window(), "OK");
        return true;
    });
    EXPECT_EQ(MessageEntry().ShowModal(), TModalResult::OK);
    EXPECT_EQ(MessageEntry().Edit1().Text().size(), pasted.size());
}

TEST_F(MessageEntryWineTest, Edit1SetsOnlyARealChange) {
    HWND edit = Edit(MessageEntry().Handle());
    MessageEntry().Edit1().SetText("same");
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    // WM_SETTEXT would clear the modified flag (and send EN_CHANGE): the same text sends none.
    MessageEntry().Edit1().SetText("same");
    EXPECT_NE(SendMessageA(edit, EM_GETMODIFY, 0, 0), 0);
    MessageEntry().Edit1().SetText("other");
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(MessageEntry().Edit1().Text(), "other");
}

//--- input box

TEST(InputBoxWineTest, OkAndEnterReturnTheTypedText) {
    for (const std::string way : {"OK", "Enter"}) {
        SCOPED_TRACE(way);
        std::string shownText;
        TModalScript script("Wait Time Edit");
        script.WhenShown().Then([&] {
            HWND edit = FindEdit(script.Window(), "Enter new time in seconds");
            shownText = EditText(edit);
            SetWindowTextA(edit, "45");
            if (way == "OK") {
                Click(script.Window(), "OK");
            } else {
                PostKeyDown(edit, VK_RETURN);
            }
            return true;
        });
        EXPECT_EQ(Dialogs().InputBox("Wait Time Edit", "Enter new time in seconds", "30"), "45");
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(shownText, "30");
    }
}

TEST(InputBoxWineTest, CancelEscAndTheCloseCommandReturnTheDefaultText) {
    for (const std::string way : {"Cancel", "Esc", "SC_CLOSE"}) {
        SCOPED_TRACE(way);
        TModalScript script("Wait Time Edit");
        script.WhenShown().Then([&] {
            HWND edit = FindEdit(script.Window(), "Enter new time in seconds");
            SetWindowTextA(edit, "45");
            if (way == "Cancel") {
                Click(script.Window(), "Cancel");
            } else if (way == "Esc") {
                PostKeyDown(edit, VK_ESCAPE);
            } else {
                PostMessageA(script.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return true;
        });
        EXPECT_EQ(Dialogs().InputBox("Wait Time Edit", "Enter new time in seconds", "30"), "30");
        EXPECT_FALSE(script.TimedOut());
    }
}

//--- message boxes

std::vector<std::string> ButtonCaptions(HWND window) {
    std::vector<std::string> captions;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button" && IsWindowVisible(child)) {
            captions.push_back(EditText(child));
        }
    }
    return captions;
}

TEST(MessageBoxWineTest, TheAutomationHelperReadsAWarningBoxAndClicksItsOkButton) {
    const std::string warning = "Wait key must not be part of any message - please select another";
    TAutomateResult read;
    TAutomateResult click;
    std::vector<std::string> buttons;
    TModalScript script("Warning", 10000);
    script.WhenShown().Then([&] {
        buttons = ButtonCaptions(script.Window());
        read = RunAutomate({"message-box-text", "Warning"});
        click = RunAutomate({"click", "Warning", "OK"});
        return true;
    });
    Dialogs().WarningBox(warning);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(read.ExitCode, 0);
    EXPECT_EQ(read.Output, warning);
    EXPECT_EQ(click.ExitCode, 0);
    EXPECT_EQ(buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(OwnerEnabled());
}

TEST(MessageBoxWineTest, AnErrorBoxHasTheCaptionTheTextAndOneOkButton) {
    std::string text;
    std::vector<std::string> buttons;
    TModalScript script("QuorlWait");
    script.WhenShown().Then([&] {
        MessageBoxText(script.Window(), text);
        buttons = ButtonCaptions(script.Window());
        Click(script.Window(), "OK");
        return true;
    });
    Dialogs().ErrorBox("QuorlWait", "Unable to write to C:\\QuorlWait.ini.");
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(text, "Unable to write to C:\\QuorlWait.ini.");
    EXPECT_EQ(buttons, std::vector<std::string>{"OK"});
}

}  // namespace
