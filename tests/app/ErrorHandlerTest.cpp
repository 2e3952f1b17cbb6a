// The default error handler: the box's caption and text, and one box at a time.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/ErrorHandler.h"
#include "platform/Exception.h"
#include "tests/fakes/FakeDialogs.h"

using Strings = std::vector<std::string>;

TEST(ErrorHandlerTest, ErrorBoxIsCaptionedWithTheExecutablesNameAndEndsInAFullStop) {
    EXPECT_EQ(ApplicationTitle("C:\\Games\\Quorl\\QuorlWait.exe"), "QuorlWait");
    EXPECT_EQ(ApplicationTitle("QuorlWait"), "QuorlWait");
    EXPECT_EQ(ApplicationTitle("D:\\Quorl.v2\\Quorl.Wait.exe"), "Quorl.Wait");
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"Unable to write to C:\\Games\\QuorlWait.ini",
         "Unable to write to C:\\Games\\QuorlWait.ini."},
        {"Cannot create file Log.txt", "Cannot create file Log.txt."},
        {"Already a stop.", "Already a stop."},
        {"Shouted!", "Shouted!"},  // "!" sorts before "."
        {"caf\xE9", "caf\xE9."},
        {"", ""},
    };
    for (const auto& [message, shown] : texts) {
        EXPECT_EQ(ErrorBoxText(message), shown);
    }
    TFakeDialogs dialogs;
    TDefaultErrorHandler handler(dialogs, "QuorlWait");
    handler.ShowException(std::runtime_error("Cannot create file Log.txt"));
    EXPECT_EQ(dialogs.Errors, Strings{"QuorlWait: Cannot create file Log.txt."});
}

// The box's modal loop goes on dispatching keys and ticks: a handler that fails on each of
// them gets one box, not one per key; after the box, the next error has a box of its own, also
// when the last box could not be shown at all.
TEST(ErrorHandlerTest, OneBoxAtATimeWhateverFailsWhileItIsOpen) {
    TFakeDialogs dialogs;
    TDefaultErrorHandler handler(dialogs, "QuorlWait");
    int keysWhileOpen = 0;
    dialogs.WhileErrorOpen = [&](const std::string&) {
        while (keysWhileOpen < 50) {
            ++keysWhileOpen;
            handler.ShowException(std::runtime_error("broken on every key"));
        }
    };
    dialogs.ErrorBoxFails = true;
    handler.ShowException(std::runtime_error("broken on every key"));
    EXPECT_EQ(keysWhileOpen, 50);
    dialogs.WhileErrorOpen = nullptr;
    dialogs.ErrorBoxFails = false;
    handler.ShowException(EUnknownException());
    EXPECT_EQ(dialogs.Errors,
              (Strings{"QuorlWait: broken on every key.",
                       "QuorlWait: Internal error: an exception of unknown type."}));
}
