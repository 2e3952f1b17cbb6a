// The fake clock's answers.
#include "tests/fakes/FakeClock.h"

std::string TFakeClock::DateTimeText(double dateTime) {
    return Text.empty() ? std::to_string(dateTime) : Text;
}

std::uint32_t TFakeClock::GetTickCount() {
    ++TickReads;
    const std::uint32_t value = TickCount;
    TickCount += TickStepPerRead;
    return value;
}
