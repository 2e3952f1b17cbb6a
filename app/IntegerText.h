// The integer forms that the settings file and the wait time input accept, read as 32 bits.
#pragma once

#include <cstdint>
#include <string>

// After any leading spaces: an optional sign and decimal digits from -2147483648 to
// 2147483647, or "$", "x", "X", "0x", "0X" and hexadecimal digits with at most eight
// significant ones, taken as a two's-complement pattern. Nothing may follow the number. On
// failure value is left as it was.
bool TryStrToInt(const std::string& text, std::int32_t& value);

// Plain decimal: a "-" for negative values, no plus sign, no leading zeros, no blanks.
std::string IntToStr(std::int32_t value);
