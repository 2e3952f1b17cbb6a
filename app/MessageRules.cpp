// The contains test of the configuration checks, and how a trigger key is shown.
#include "app/MessageRules.h"

namespace {

// Only a to z: the runtime's ASCII upper-casing leaves bytes above 127 alone, so "\xE9" is
// found only as "\xE9", never as "\xC9".
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool ContainsKey(const std::string& text, std::uint8_t key) {
    const char wanted = UpperAscii(static_cast<char>(key));
    for (const char c : text) {
        if (UpperAscii(c) == wanted) {
            return true;
        }
    }
    return false;
}

// Code 0 (the key dialog closed before any key) has no character to show, and a zero byte
// would end the box's text there: it shows as " (0)".
std::string KeyDisplayText(std::uint8_t key) {
    const std::string character = key != 0 ? std::string(1, static_cast<char>(key)) : "";
    return character + " (" + std::to_string(key) + ")";
}
