// The event log's line form and its save to "Log.txt".
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "app/Errors.h"
#include "app/EventLog.h"
#include "tests/app/EngineFixture.h"

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class EventLogTest : public EngineFixture {
  protected:
    EventLogTest() {
        std::string name = "quorl-log-";
        name += testing::UnitTest::GetInstance()->current_test_info()->name();
        Directory = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(Directory);
        std::filesystem::create_directories(Directory);
        Previous = std::filesystem::current_path();
        std::filesystem::current_path(Directory);
    }
    ~EventLogTest() override {
        std::filesystem::current_path(Previous);
        std::filesystem::remove_all(Directory);
    }

    std::filesystem::path Directory;
    std::filesystem::path Previous;
};

}  // namespace

TEST_F(EventLogTest, LineIsTheDateTimeTextSixSpacesAndTheEvent) {
    Clock.Text = "12/8/2026 1:34:46 PM";
    Form.LogEvent("Got key x");
    Memo1.Flush();
    ASSERT_EQ(Memo1.Stored.size(), 1u);
    EXPECT_EQ(Memo1.Stored[0], "12/8/2026 1:34:46 PM      Got key x");
}

// One append to the box per tick, whatever the tick logged: the box is not touched per line.
TEST_F(EventLogTest, LinesLoggedBetweenTicksAreShownTogetherAtTheNextTick) {
    Form.LogEvent("one");
    Form.LogEvent("two");
    EXPECT_TRUE(Memo1.Stored.empty()) << "shown before the flush";
    Tick();
    EXPECT_EQ(Events(), (std::vector<std::string>{"one", "two"}));
}

TEST_F(EventLogTest, SaveWritesEveryLineWithCrLfInTheCurrentDirectoryAndReplacesTheFile) {
    Form.LogEvent("one");
    Form.LogEvent("two \xE9");
    Form.RzBitBtn1Click();
    EXPECT_EQ(ReadFile(Directory / "Log.txt"), "T      one\r\nT      two \xE9\r\n");
    Form.LogEvent("three");
    Form.RzBitBtn1Click();
    EXPECT_EQ(ReadFile(Directory / "Log.txt"), "T      one\r\nT      two \xE9\r\nT      three\r\n");
    Memo1.Flush();
    EXPECT_EQ(Memo1.Stored.size(), 3u) << "the log keeps its lines";
}

TEST_F(EventLogTest, ZeroByteEndsTheLineInTheBoxAndInTheFileAndLaterLinesFollow) {
    Form.LogEvent(std::string("Got key \0\0x\0", 12));
    Form.LogEvent("Sending Key a");
    Memo1.Flush();
    EXPECT_EQ(Events(), (std::vector<std::string>{"Got key ", "Sending Key a"}));
    Form.RzBitBtn1Click();
    EXPECT_EQ(ReadFile(Directory / "Log.txt"), "T      Got key \r\nT      Sending Key a\r\n");
}

TEST_F(EventLogTest, SavingAnEmptyLogWritesAnEmptyFile) {
    std::ofstream(Directory / "Log.txt") << "old";
    Form.RzBitBtn1Click();
    EXPECT_EQ(ReadFile(Directory / "Log.txt"), "");
}

TEST_F(EventLogTest, FileThatCannotBeCreatedRaisesTheSystemTextAndLeavesTheLog) {
    std::filesystem::create_directory(Directory / "Log.txt");
    Form.LogEvent("kept");
    try {
        Form.RzBitBtn1Click();
        FAIL() << "no error raised";
    } catch (const EFCreateError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file Log.txt");
    }
    Memo1.Flush();
    EXPECT_EQ(Memo1.Stored.size(), 1u);
}

// A full disk: the writes fail part-way, and the close still succeeds, for no byte is left in
// the buffer. Where there is no /dev/full to link to (Windows, Wine), there is nothing to run.
TEST_F(EventLogTest, WriteThatFailsPartWayRaisesTheErrorRatherThanLeaveAShortFile) {
    std::error_code linkError;
    std::filesystem::create_symlink("/dev/full", Directory / "Log.txt", linkError);
    if (linkError || !std::filesystem::exists(Directory / "Log.txt")) {
        GTEST_SKIP() << "no full device to link Log.txt to";
    }
    for (int i = 0; i < 100; ++i) {
        Form.LogEvent(std::string(100, 'k'));
    }
    try {
        Form.RzBitBtn1Click();
        FAIL() << "no error raised";
    } catch (const EWriteError& error) {
        EXPECT_STREQ(error.what(), "Cannot write file Log.txt");
    }
}

TEST(EventLogLifeTest, TheLogLetsItsBoxGoWhenItEnds) {
    struct TBox : ILogBox {
        void ShowLines(const ILogLines* lines) override { Shown.push_back(lines); }
        void Flush() override {}
        std::vector<const ILogLines*> Shown;
    } box;
    TFakeClock clock;
    const ILogLines* lines = nullptr;
    {
        TEventLog log(clock, box);
        lines = &log.Lines();
    }
    EXPECT_EQ(box.Shown, (std::vector<const ILogLines*>{lines, nullptr}));
}
