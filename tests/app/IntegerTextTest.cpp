// The integer forms of the settings file and the wait time input: what is read, what is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/IntegerText.h"

namespace {

struct TValidForm {
    std::string Text;
    std::int32_t Value;
};

struct TIntegerTextValidTest : testing::TestWithParam<TValidForm> {};

TEST_P(TIntegerTextValidTest, ReadsTheValue) {
    std::int32_t value = 12345;
    ASSERT_TRUE(TryStrToInt(GetParam().Text, value));
    EXPECT_EQ(value, GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(DecimalAndHexadecimalForms,
                         TIntegerTextValidTest,
                         testing::Values(TValidForm{"0", 0},
                                         TValidForm{"20", 20},
                                         TValidForm{"-3", -3},
                                         TValidForm{"+5", 5},
                                         TValidForm{"007", 7},
                                         TValidForm{"   42", 42},
                                         TValidForm{"2147483647", 2147483647},
                                         TValidForm{"-2147483648", INT32_MIN},
                                         TValidForm{"+000000000002147483647", 2147483647},
                                         TValidForm{"$1E", 30},
                                         TValidForm{"0x1E", 30},
                                         TValidForm{"0X1e", 30},
                                         TValidForm{"x1E", 30},
                                         TValidForm{"X1e", 30},
                                         TValidForm{"  $ff", 255},
                                         TValidForm{"0x0", 0},
                                         TValidForm{"$9aA", 0x9AA},
                                         TValidForm{"0x000000001E", 30},
                                         TValidForm{"$7FFFFFFF", 2147483647},
                                         TValidForm{"$80000000", INT32_MIN},
                                         TValidForm{"$FFFFFFFF", -1},
                                         TValidForm{"0x00000000FFFFFFFE", -2},
                                         TValidForm{"$0000000000", 0}));

TEST(IntegerTextTest, RefusesEveryOtherFormAndKeepsTheValue) {
    const char* const invalid[] = {
        "",    "   ", "15s",        "1 ",          " 1\t",
        "\t1", "1.0", "- 5",        "+",           "-",
        "--1", "+-1", "2147483648", "-2147483649", "99999999999999999999",
        "$",   "0x",  "x",          "-$1E",        "+0x1E",
        "-x1", "$1G", "0x1E ",      "$100000000",  "0x123456789",
        "$-1", "0y1", "00x1",       "1e3",         "\xEF\xBC\x91",
        "$1g", "$1`", "$1@",        "$1/",         "$1:",
    };
    for (const char* text : invalid) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        std::int32_t value = 77;
        EXPECT_FALSE(TryStrToInt(text, value));
        EXPECT_EQ(value, 77);
    }
}

}  // namespace
