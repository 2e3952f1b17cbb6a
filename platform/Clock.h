// The local wall clock, its text form, and the system's millisecond counter.
#pragma once

#include <cstdint>
#include <string>

class IClock {
  public:
    virtual ~IClock() = default;

    // The local wall-clock date and time as a day count: whole days since 1899-12-30 plus the
    // fraction of the day (noon is .5). A duration of N seconds is N / 86400 days.
    virtual double Now() = 0;

    // The day count as text in the user's own formats: the short date, a space and the long
    // time; at exactly midnight (no fraction) the date alone. Win32: GetDateFormatA with
    // DATE_SHORTDATE and GetTimeFormatA, both LOCALE_USER_DEFAULT, which honour the user's
    // overrides. Returns "" if the system cannot format the value.
    virtual std::string DateTimeText(double dateTime) = 0;

    // The system's millisecond counter (Win32: GetTickCount); wraps after about 49.7 days, so
    // callers take differences as unsigned 32-bit numbers.
    virtual std::uint32_t GetTickCount() = 0;
};
