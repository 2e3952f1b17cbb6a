// The rule that no message contains a trigger key, and the key display form.
#pragma once

#include <cstdint>
#include <string>

// Whether the text contains the key's character, upper-casing the letters a to z only on
// both sides; every other byte compares as it is.
bool ContainsKey(const std::string& text, std::uint8_t key);

// The key's character, a space, and its code in decimal in parentheses: "z (122)"; code 0
// shows no character: " (0)".
std::string KeyDisplayText(std::uint8_t key);
