// The local wall clock as a day count since 1899-12-30, and its text in the user's formats.
#include "platform/win32/Win32Clock.h"

#include <windows.h>

#include <cmath>

namespace {

// FILETIME counts 100 ns units since 1601-01-01; day 0 of the day count is 1899-12-30.
constexpr double kFileTimeUnitsPerDay = 864000000000.0;
constexpr double kDaysFrom1601To1899 = 109205.0;
constexpr ULONGLONG kFileTimeUnitsPerMs = 10000;

double DayCountFromLocalTime(const SYSTEMTIME& localTime) {
    FILETIME fileTime;
    // The local time goes through FILETIME only for its arithmetic; no time zone is applied.
    if (!SystemTimeToFileTime(&localTime, &fileTime)) {
        return 0;
    }
    const ULARGE_INTEGER units{{fileTime.dwLowDateTime, fileTime.dwHighDateTime}};
    return static_cast<double>(units.QuadPart) / kFileTimeUnitsPerDay - kDaysFrom1601To1899;
}

bool LocalTimeFromDayCount(double dateTime, SYSTEMTIME& localTime) {
    const double units = (dateTime + kDaysFrom1601To1899) * kFileTimeUnitsPerDay;
    if (!(units >= 0) || units > 9.0e18) {
        return false;
    }
    // Rounded to the millisecond, so that a reading of the clock gives back its own second.
    ULARGE_INTEGER value;
    value.QuadPart =
        static_cast<ULONGLONG>(std::llround(units / kFileTimeUnitsPerMs)) * kFileTimeUnitsPerMs;
    const FILETIME fileTime{value.LowPart, value.HighPart};
    return FileTimeToSystemTime(&fileTime, &localTime) != FALSE;
}

std::string DateText(const SYSTEMTIME& localTime) {
    char buffer[128];
    const int written =
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &localTime, nullptr, buffer, 128);
    return written > 0 ? std::string(buffer) : std::string();
}

std::string TimeText(const SYSTEMTIME& localTime) {
    char buffer[128];
    const int written = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &localTime, nullptr, buffer, 128);
    return written > 0 ? std::string(buffer) : std::string();
}

}  // namespace

double TWin32Clock::Now() {
    SYSTEMTIME localTime;
    GetLocalTime(&localTime);
    return DayCountFromLocalTime(localTime);
}

std::string TWin32Clock::DateTimeText(double dateTime) {
    SYSTEMTIME localTime;
    if (!LocalTimeFromDayCount(dateTime, localTime)) {
        return {};
    }
    const bool midnight = localTime.wHour == 0 && localTime.wMinute == 0 &&
                          localTime.wSecond == 0 && localTime.wMilliseconds == 0;
    if (midnight) {
        return DateText(localTime);
    }
    return DateText(localTime) + " " + TimeText(localTime);
}

std::uint32_t TWin32Clock::GetTickCount() {
    return ::GetTickCount();
}
