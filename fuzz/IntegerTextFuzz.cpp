// Fuzzes the integer reader against an independent reading with std::from_chars, and the
// writer's round trip.
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/IntegerText.h"
#include "fuzz/FuzzCheck.h"

namespace {

constexpr std::int32_t kUntouched = 0x5A5A5A5A;

// What the reader must answer, worked out another way: decimal through 64-bit from_chars with
// a range check, hexadecimal through 64-bit from_chars on the digits without leading zeros.
bool Expected(const std::string& text, std::int32_t& value) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) {
        return false;
    }
    std::string digits;
    int base = 10;
    if (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X') {
        digits = text.substr(pos + 1);
        base = 16;
    } else if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
        digits = text.substr(pos + 2);
        base = 16;
    } else {
        digits = text.substr(pos);
    }
    if (base == 16) {
        if (digits.empty()) {
            return false;
        }
        for (char c : digits) {
            if (!std::isxdigit(static_cast<unsigned char>(c))) {
                return false;
            }
        }
        const std::size_t first = digits.find_first_not_of('0');
        const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
        if (significant.size() > 8) {
            return false;
        }
        std::uint64_t pattern = 0;
        std::from_chars(significant.data(), significant.data() + significant.size(), pattern, 16);
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern));
        return true;
    }
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (digits.empty()) {
        return false;
    }
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
    if (significant.size() > 10) {
        return false;
    }
    std::int64_t magnitude = 0;
    std::from_chars(significant.data(), significant.data() + significant.size(), magnitude);
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) {
        return false;
    }
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::int32_t value = kUntouched;
    const bool read = TryStrToInt(text, value);
    std::int32_t expected = kUntouched;
    const bool expectedRead = Expected(text, expected);
    FuzzCheck(read == expectedRead, "the reader accepts exactly the integer forms");
    FuzzCheck(value == expected, "the value read is the number written, or stays untouched");

    if (size >= sizeof(std::int32_t)) {
        std::int32_t number = 0;
        std::memcpy(&number, data, sizeof(number));
        std::int32_t back = kUntouched;
        FuzzCheck(TryStrToInt(IntToStr(number), back) && back == number,
                  "every number written reads back");
    }
    return 0;
}
