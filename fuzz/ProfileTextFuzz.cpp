// Fuzzes the profile format: any file, names and value are read, written and erased without a
// fault, and a plain value reads back exactly as it was written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "tests/fakes/ProfileText.h"

namespace {

// Blanks that a read trims from a value's ends, and the quotes it takes off them.
bool IsTrimmedAtEnds(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A' || c == '"' || c == '\'';
}

// A value that the format stores verbatim: nothing trimmed or unquoted at its ends, no line
// break, and room in the read buffer with its terminating zero.
bool IsPlainValue(const std::string& value) {
    if (value.size() >= ProfileText::kReadBufferSize) {
        return false;
    }
    if (!value.empty() && (IsTrimmedAtEnds(value.front()) || IsTrimmedAtEnds(value.back()))) {
        return false;
    }
    return value.find_first_of("\r\n") == std::string::npos;
}

// Section and key names as the program uses them: letters, digits and inner spaces.
std::string PlainName(FuzzedDataProvider& input) {
    static constexpr char kAlphabet[] = "abcXYZ019 ";
    std::string name = "n";
    const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    for (std::size_t i = 0; i < length; ++i) {
        name += kAlphabet[input.ConsumeIntegralInRange<std::size_t>(0, sizeof(kAlphabet) - 2)];
    }
    return name + "e";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string file = input.ConsumeRandomLengthString(4096);
    const std::string section = input.ConsumeRandomLengthString(64);
    const std::string key = input.ConsumeRandomLengthString(64);
    const std::size_t bufferSize = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    const std::string plainSection = PlainName(input);
    const std::string plainKey = PlainName(input);
    const std::string value = input.ConsumeRemainingBytesAsString();

    // Any bytes at all: ASan and UBSan watch every lookup and edit.
    (void)ProfileText::FindValue(file, section, key);
    FuzzCheck(ProfileText::ReadValue(file, section, key, value, bufferSize).size() < bufferSize,
              "a read fits its buffer with the terminating zero");
    const std::string written = ProfileText::WriteValue(file, section, key, value);
    (void)ProfileText::ReadValue(written, section, key, "");
    (void)ProfileText::EraseSection(file, section);
    (void)ProfileText::EraseSection(written, section);

    if (IsPlainValue(value)) {
        const std::string saved = ProfileText::WriteValue(file, plainSection, plainKey, value);
        FuzzCheck(ProfileText::ReadValue(saved, plainSection, plainKey, "default") == value,
                  "a plain value reads back as written");
        const std::string again = ProfileText::WriteValue(saved, plainSection, plainKey, value);
        FuzzCheck(again == saved, "writing the same value again changes nothing");
    }
    return 0;
}
