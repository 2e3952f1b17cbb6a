// Reading and writing the integer forms of the settings file.
#include "app/IntegerText.h"

#include <cstddef>

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Digits from pos to the end; at most eight significant ones, so the pattern fits 32 bits.
bool ReadHex(const std::string& text, std::size_t pos, std::int32_t& value) {
    if (pos >= text.size()) {
        return false;
    }
    std::uint32_t pattern = 0;
    int significant = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigitValue(text[pos]);
        if (digit < 0) {
            return false;
        }
        if (pattern != 0 || digit != 0) {
            if (++significant > 8) {
                return false;
            }
        }
        pattern = (pattern << 4) | static_cast<std::uint32_t>(digit);
    }
    value = static_cast<std::int32_t>(pattern);
    return true;
}

bool ReadDecimal(const std::string& text, std::size_t pos, std::int32_t& value) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos >= text.size()) {
        return false;
    }
    // The magnitude is kept in 64 bits and checked at every digit, so no length overflows it.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return false;
        }
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

bool TryStrToInt(const std::string& text, std::int32_t& value) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) {
        return false;
    }
    const char first = text[pos];
    if (first == '$' || first == 'x' || first == 'X') {
        return ReadHex(text, pos + 1, value);
    }
    if (first == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        return ReadHex(text, pos + 2, value);
    }
    return ReadDecimal(text, pos, value);
}

std::string IntToStr(std::int32_t value) {
    return std::to_string(value);
}
