// The profile format: lookups answer as GetPrivateProfileStringA does on Windows, and edits
// change only the entry they are for.
#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/ProfileReadCases.h"
#include "tests/fakes/ProfileText.h"

namespace {

struct TProfileReadTest : testing::TestWithParam<TProfileReadCase> {};

TEST_P(TProfileReadTest, AnswersAsWindowsDoes) {
    const TProfileReadCase& c = GetParam();
    EXPECT_EQ(ProfileText::ReadValue(c.File, c.Section, c.Key, c.Default, c.BufferSize),
              c.Expected);
}

INSTANTIATE_TEST_SUITE_P(ReadRules,
                         TProfileReadTest,
                         testing::ValuesIn(ProfileReadCases()),
                         [](const testing::TestParamInfo<TProfileReadCase>& param) {
                             return param.param.Name;
                         });

TEST(ProfileWriteTest, ANewFileHoldsTheSectionAndTheKey) {
    EXPECT_EQ(ProfileText::WriteValue("", "Timing", "Delay", "20"), "[Timing]\r\nDelay=20\r\n");
}

TEST(ProfileWriteTest, ANewKeyChangesNoOtherByte) {
    // NULs, LF and CR line ends, blanks, comments and odd spacing all stay as they were.
    const std::string before = std::string("\0\0junk\n", 7) +
                               "  [ Timing ]  ; note\n"
                               "  Delay = 15 \r"
                               "; comment\r\n"
                               "bare words\r\n"
                               "\r\n"
                               "[Other]\n"
                               "k=v";
    const std::string after = std::string("\0\0junk\n", 7) +
                              "  [ Timing ]  ; note\n"
                              "  Delay = 15 \r"
                              "; comment\r\n"
                              "bare words\r\n"
                              "PitInMessage=Box 3\r\n"
                              "\r\n"
                              "[Other]\n"
                              "k=v";
    EXPECT_EQ(ProfileText::WriteValue(before, "timing", "PitInMessage", "Box 3"), after);
}

TEST(ProfileWriteTest, AReplacedKeyKeepsItsSpellingAndItsPlace) {
    const std::string before = "[Sec]\r\n  MyKey = old value\r\nnext=1\r\n";
    EXPECT_EQ(ProfileText::WriteValue(before, "SEC", "MYKEY", "new"),
              "[Sec]\r\n  MyKey =new\r\nnext=1\r\n");
}

TEST(ProfileWriteTest, ValuesAreWrittenVerbatim) {
    EXPECT_EQ(ProfileText::WriteValue("", "S", "k", " a \"b\" = ;c "),
              "[S]\r\nk= a \"b\" = ;c \r\n");
    EXPECT_EQ(ProfileText::WriteValue("[S]\r\nk=old\r\n", "S", "k", ""), "[S]\r\nk=\r\n");
}

TEST(ProfileWriteTest, ANewKeyInAnEmptySectionFollowsTheHeader) {
    EXPECT_EQ(ProfileText::WriteValue("[A]\r\n[B]\r\nx=1\r\n", "A", "c", "3"),
              "[A]\r\nc=3\r\n[B]\r\nx=1\r\n");
}

TEST(ProfileWriteTest, ANewSectionGoesAtTheEndOfTheFile) {
    EXPECT_EQ(ProfileText::WriteValue("[A]\r\nx=1\r\n", "B", "k", "v"),
              "[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    // A last line without its line break gets one first.
    EXPECT_EQ(ProfileText::WriteValue("[A]\nx=1", "B", "k", "v"), "[A]\nx=1\r\n[B]\r\nk=v\r\n");
    EXPECT_EQ(ProfileText::WriteValue("[A]\rx=1\r", "B", "k", "v"), "[A]\rx=1\r[B]\r\nk=v\r\n")
        << "a lone CR ends the last line too";
    EXPECT_EQ(ProfileText::WriteValue("[A]\nx=1", "A", "k", "v"), "[A]\nx=1\r\nk=v\r\n");
}

TEST(ProfileWriteTest, OnlyTheFirstOfDuplicatesIsChanged) {
    const std::string before = "[S]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\n";
    EXPECT_EQ(ProfileText::WriteValue(before, "s", "K", "9"),
              "[S]\r\nk=9\r\nK=2\r\n[S]\r\nk=3\r\n");
    EXPECT_EQ(ProfileText::WriteValue(before, "S", "n", "4"),
              "[S]\r\nk=1\r\nK=2\r\nn=4\r\n[S]\r\nk=3\r\n");
}

TEST(ProfileWriteTest, WhatIsWrittenReadsBack) {
    std::string file = "; settings\r\n[Timing]\r\nDelay=20\r\n";
    const char* const values[] = {"Pit In", "", "a=b", "\xE9t\xE9", "[x]", "quoted \"\""};
    for (const char* value : values) {
        SCOPED_TRACE(value);
        file = ProfileText::WriteValue(file, "Timing", "PitInMessage", value);
        EXPECT_EQ(ProfileText::ReadValue(file, "Timing", "PitInMessage", "D"), value);
        EXPECT_EQ(ProfileText::ReadValue(file, "Timing", "Delay", "D"), "20");
    }
}

TEST(ProfileWriteTest, ErasingASectionTakesItsLinesAndNothingElse) {
    const std::string before = "; top\r\n[A]\r\nx=1\r\n; in A\r\n[B]\nk=v\n[C]\r\ny=2\r\n";
    EXPECT_EQ(ProfileText::EraseSection(before, "a"), "; top\r\n[B]\nk=v\n[C]\r\ny=2\r\n");
    EXPECT_EQ(ProfileText::EraseSection(before, "C"),
              "; top\r\n[A]\r\nx=1\r\n; in A\r\n[B]\nk=v\n");
    EXPECT_EQ(ProfileText::EraseSection(before, "D"), before);
}

}  // namespace
