// The clock's day count and its text in the user's formats, against the system's own answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

#include "platform/win32/Win32Clock.h"

namespace {

std::string SystemDateText(const SYSTEMTIME& time) {
    char buffer[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, 128);
    return buffer;
}

std::string SystemTimeText(const SYSTEMTIME& time) {
    char buffer[128] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, 128);
    return buffer;
}

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

}  // namespace

TEST(ClockWineTest, TextIsTheShortDateASpaceAndTheLongTimeOfTheUsersLocale) {
    TWin32Clock clock;
    // 2024-12-31 13:05:07 is day 45657 plus 47107 seconds.
    const double dateTime = 45657 + 47107 / 86400.0;
    const SYSTEMTIME expected = At(2024, 12, 31, 13, 5, 7);
    EXPECT_EQ(clock.DateTimeText(dateTime),
              SystemDateText(expected) + " " + SystemTimeText(expected));
}

TEST(ClockWineTest, MidnightShowsTheDateAlone) {
    TWin32Clock clock;
    EXPECT_EQ(clock.DateTimeText(45293.0), SystemDateText(At(2024, 1, 2, 0, 0, 0)));
    // One second later the time is there again.
    const SYSTEMTIME oneSecond = At(2024, 1, 2, 0, 0, 1);
    EXPECT_EQ(clock.DateTimeText(45293.0 + 1 / 86400.0),
              SystemDateText(oneSecond) + " " + SystemTimeText(oneSecond));
}

TEST(ClockWineTest, NowIsTheLocalWallClock) {
    TWin32Clock clock;
    SYSTEMTIME local;
    GetLocalTime(&local);
    const double now = clock.Now();
    const double secondsOfDay = local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
    const double fraction = now - std::floor(now);
    // Within two seconds of the same reading (or across midnight, which the test tolerates).
    EXPECT_TRUE(std::fabs(fraction * 86400 - secondsOfDay) < 2 ||
                std::fabs(fraction * 86400 - secondsOfDay) > 86398)
        << now;
    EXPECT_GT(now, 45000.0);
}
