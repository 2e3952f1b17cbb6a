// The event log as the driver reads it: the line's form, the box's update once per tick, the
// lines about a window in front that runs with more rights, and the save to "Log.txt".
#include <gtest/gtest.h>

#include <cstddef>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>

#include "app/ErrorHandler.h"
#include "tests/app/ProgramFixture.h"

namespace {

const std::string kHigher =
    " runs as administrator: QuorlWait can neither see nor type its keys - start QuorlWait as "
    "administrator too";

class EventLogTest : public ProgramFixture {
  protected:
    EventLogTest() {
        std::string name = "quorl-log-";
        name += testing::UnitTest::GetInstance()->current_test_info()->name();
        Directory = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(Directory);
        std::filesystem::create_directories(Directory);
        Previous = std::filesystem::current_path();
        std::filesystem::current_path(Directory);
        Start();
    }
    ~EventLogTest() override {
        std::filesystem::current_path(Previous);
        std::filesystem::remove_all(Directory);
    }

    // Clicks Save; returns the error box that the window's error handler shows for what the
    // click threw, "" for none.
    std::string Save() {
        TDefaultErrorHandler handler(Dialogs, "QuorlWait");
        const std::size_t boxes = Dialogs.Errors.size();
        try {
            Click("Save");
        } catch (const std::exception& error) {
            handler.ShowException(error);
        }
        return Dialogs.Errors.size() > boxes ? Dialogs.Errors.back() : "";
    }
    std::string SavedFile() const {
        std::ifstream file(Directory / "Log.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    // The window in front changes to this one, whose process has this level and name, at the
    // next tick.
    void InFront(TWindowHandle window, TProcessLevel level, const std::string& name) {
        Application.ForegroundWindowsService.Processes[window] = {level, name};
        Application.ForegroundWindowsService.Foreground = window;
        Tick();
    }

    std::filesystem::path Directory;
    std::filesystem::path Previous;
};

// A line is the date-time text, six spaces and the event. The box gets the lines at the tick
// after they were logged, all in one append: it is not touched per line.
TEST_F(EventLogTest, LinesLoggedBetweenTicksAreShownTogetherAtTheNextTick) {
    Clock.Text = "12/8/2026 1:34:46 PM";
    Type("ab");
    EXPECT_TRUE(Memo1.Stored.empty()) << "shown before the flush";
    Application.MainWindow.Tick();
    EXPECT_EQ(Memo1.Stored, (Strings{"12/8/2026 1:34:46 PM      Got key a",
                                     "12/8/2026 1:34:46 PM      Got key b"}));
}

// A key without a character (Shift) logs a zero byte, which ends the line in the box and in
// the file alike; a name in the ANSI code page keeps its 8-bit bytes.
TEST_F(EventLogTest, SaveWritesEveryLineWithCrLfInTheCurrentDirectoryAndReplacesTheFile) {
    std::ofstream(Directory / "Log.txt") << "old";
    const struct {
        const char* Label;
        std::function<void()> Action;
        std::string Line;  // the line it logs, "" for none
    } steps[] = {
        {"an empty log", [] {}, ""},
        {"a key", [this] { Type("a"); }, "Got key a"},
        {"a zero byte", [this] { Tap(kVkLeftShift); }, "Got key "},
        {"8-bit text", [this] { InFront(1, TProcessLevel::Higher, "Caf\xE9.exe"); },
         "Caf\xE9.exe" + kHigher},
    };
    std::string file;
    std::size_t lines = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Label);
        step.Action();
        if (!step.Line.empty()) {
            file += kPrefix + step.Line + "\r\n";
            ++lines;
        }
        EXPECT_EQ(Save(), "");
        EXPECT_EQ(SavedFile(), file);
        const Strings events = Events();
        ASSERT_EQ(events.size(), lines) << "the log keeps its lines";
        if (!step.Line.empty()) {
            EXPECT_EQ(events.back(), step.Line);
        }
    }
}

// A full disk: the writes fail part-way, and the close still succeeds, for no byte is left in
// the buffer; the log is more than the buffer holds. Where there is no /dev/full to link to
// (Windows, Wine), that row is skipped.
TEST_F(EventLogTest, FileThatCannotBeCreatedOrWrittenIsShownInTheErrorBoxAndTheLogStays) {
    Type(std::string(600, 'k'));
    const std::filesystem::path path = Directory / "Log.txt";
    std::filesystem::create_directory(path);
    EXPECT_EQ(Save(), "QuorlWait: Cannot create file Log.txt.");
    EXPECT_EQ(Events().size(), 600u) << "the log keeps its lines";
    std::filesystem::remove(path);
    std::error_code linkError;
    std::filesystem::create_symlink("/dev/full", path, linkError);
    if (linkError || !std::filesystem::exists(path)) {
        GTEST_SKIP() << "no full device to link Log.txt to";
    }
    EXPECT_EQ(Save(), "QuorlWait: Cannot write file Log.txt.");
}

// A tick asks for the window in front when the system has told of a change, and for its process
// only when it changed to one not told of yet: one line for a process with more rights, or one
// of this user that refuses to tell; none for a window told before, a reachable window, another
// user's refusal or a query that failed otherwise.
TEST_F(EventLogTest, AWindowOfAProcessWithMoreRightsIsToldOnlyTheFirstTimeItComesToTheFront) {
    using enum TProcessLevel;
    const struct {
        const char* Label;
        TWindowHandle Window;
        TProcessLevel Level;
        std::string Name;
        Strings Lines;
        int Queries;
        bool TellLate = false;  // the system tells of this change only after the tick
    } steps[] = {
        {"higher level", 1, Higher, "Sim.exe", {"Sim.exe" + kHigher}, 1},
        {"same level", 2, Same, "notepad.exe", {}, 1},
        {"the same window again", 2, Same, "notepad.exe", {}, 0},
        {"lower level", 3, Lower, "explorer.exe", {}, 1},
        {"a refused query", 4, AccessDenied, "Race Sim", {"Race Sim" + kHigher}, 1},
        {"unnamed", 5, AccessDenied, "", {"The window in front" + kHigher}, 1},
        {"another user's refusal", 7, AccessDeniedOtherUser, "Other.exe", {}, 1},
        {"a query that failed", 6, Unknown, "gone.exe", {}, 1},
        {"no window in front", 0, Higher, "", {}, 0},
        {"the higher window again", 1, Higher, "Sim.exe", {}, 0},
        {"the refused window again", 4, AccessDenied, "Race Sim", {}, 0},
        {"another user's window again", 7, AccessDeniedOtherUser, "Other.exe", {}, 1},
        {"a change not told yet", 8, Higher, "Late.exe", {}, 0, true},
        {"the change told", 8, Higher, "Late.exe", {"Late.exe" + kHigher}, 1},
    };
    const int& queries = Application.ForegroundWindowsService.Queries;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Label);
        Memo1.Stored.clear();
        const int queriesBefore = queries;
        Application.ForegroundWindowsService.TellLate = step.TellLate;
        InFront(step.Window, step.Level, step.Name);
        EXPECT_EQ(Events(), step.Lines);
        EXPECT_EQ(queries - queriesBefore, step.Queries);
    }
}

// The system tells of a new window in front a moment after the change; a tick about to send
// keys asks anyway, so the line about the window comes before the keys typed into it. A window
// asked of once is not asked again while the keys go out.
TEST_F(EventLogTest, TheLineAboutAWindowInFrontComesBeforeTheKeysTypedIntoIt) {
    using enum TProcessLevel;
    const struct {
        const char* Label;
        std::string Message;
        int TicksBefore;  // ticks of the send before the change
        TProcessLevel Level;
        Strings Lines;  // the lines of the tick of the change
    } rows[] = {
        {"the first keys", "Pit In", 0, Higher, {"Sim.exe" + kHigher, "Sending string \rPit In\r"}},
        {"a last key of its own",
         "abcdefghij",
         1,
         Higher,
         {"Sim.exe" + kHigher, "Sending string \r"}},
        {"a reachable window", "abcdefghij", 0, Same, {"Sending string \rabcdefghij"}},
    };
    TWindowHandle window = 10;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Label);
        Box("Pit In Message").Value = row.Message;
        Type("x");
        Ticks(row.TicksBefore);
        Memo1.Flush();
        Memo1.Stored.clear();
        const int queriesBefore = Application.ForegroundWindowsService.Queries;
        Application.ForegroundWindowsService.TellLate = true;
        InFront(++window, row.Level, "Sim.exe");
        const Strings events = Events();
        ASSERT_GE(events.size(), row.Lines.size());
        EXPECT_EQ(Strings(events.begin(), events.begin() + row.Lines.size()), row.Lines);
        Ticks(3);
        EXPECT_EQ(Application.ForegroundWindowsService.Queries - queriesBefore, 1);
    }
}

// The window and its box outlive the log: once the program's windows are gone the box must not
// read the log's lines.
TEST_F(EventLogTest, TheLogLetsItsBoxGoWhenItEnds) {
    Type("a");
    Memo1.Flush();
    Program.reset();
    EXPECT_EQ(Memo1.Source, nullptr);
    Memo1.Flush();
}

}  // namespace
