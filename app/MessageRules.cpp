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

std::string KeyDisplayText(std::uint8_t key) {
    return std::string(1, static_cast<char>(key)) + " (" + std::to_string(key) + ")";
}
