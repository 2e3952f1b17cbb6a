// Files and lookups with what GetPrivateProfileStringA answers on Windows, shared by the
// reader's own tests and the comparison with the real function under Wine.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

struct TProfileReadCase {
    std::string Name;
    std::string File;
    std::string Section;
    std::string Key;
    std::string Default;
    std::string Expected;
    // False where Wine answers otherwise than Windows: those rows cannot be compared there.
    bool SameOnWine = true;
    std::size_t BufferSize = 2048;
};

inline std::ostream& operator<<(std::ostream& out, const TProfileReadCase& readCase) {
    return out << readCase.Name;
}

inline std::vector<TProfileReadCase> ProfileReadCases() {
    const std::string longValue = [] {
        std::string text;
        for (int i = 0; i < 3000; ++i) {
            text += static_cast<char>('a' + i % 26);
        }
        return text;
    }();
    const std::string S = "[S]\r\n";
    return {
        {"ValueIsAfterTheFirstEquals", S + "k=a=b\r\n", "S", "k", "D", "a=b"},
        {"OuterBlanksGoInnerStay", S + "k=  \t a  b\tc \t \r\n", "S", "k", "D", "a  b\tc"},
        {"VerticalTabIsTrimmed", S + "k=\vv\v\r\n", "S", "k", "D", "v"},
        {"FormFeedAndEndOfFileMarkAreTrimmed", S + "k=\fv\x1A\r\n", "S", "k", "D", "v"},
        {"OtherControlBytesStay", S + "k=\x01v\x1F\r\n", "S", "k", "D", "\x01v\x1F"},
        {"NoBreakSpaceStays", S + "k=\xA0v\x85\r\n", "S", "k", "D", "\xA0v\x85"},
        {"QuotesComeOffKeepingInnerBlanks", S + "k=\"  a  \"\r\n", "S", "k", "D", "  a  "},
        {"QuotesComeOffAfterTrimming", S + "k=  \"x y\"  \r\n", "S", "k", "D", "x y"},
        {"OnlyOnePairOfQuotesComesOff", S + "k='\"a\"'\r\n", "S", "k", "D", "\"a\""},
        {"EmptyQuotesGiveEmptyText", S + "k=\"\"\r\n", "S", "k", "D", ""},
        {"ALoneQuoteStays", S + "k=\"\r\n", "S", "k", "D", "\""},
        {"UnmatchedQuotesStay", S + "k=\"a'\r\n", "S", "k", "D", "\"a'"},
        {"OpeningQuoteAloneStays", S + "k=\"value\r\n", "S", "k", "D", "\"value"},
        {"QuoteBeforeACommentStays", S + "k=\"a\" ;c\r\n", "S", "k", "D", "\"a\" ;c"},
        {"EmptyValueIsNotTheDefault", S + "k=\r\n", "S", "k", "D", ""},
        {"BlankValueIsNotTheDefault", S + "k=  \t \r\n", "S", "k", "D", ""},
        {"MissingKeyGivesTheDefault", S + "other=1\r\n", "S", "k", "D", "D"},
        {"MissingSectionGivesTheDefault", S + "k=1\r\n", "T", "k", "D", "D"},
        {"MissingFileGivesTheDefault", "", "S", "k", "Pit In", "Pit In"},
        {"DefaultLosesTrailingSpaces", "", "S", "k", "DEF  ", "DEF"},
        {"DefaultKeepsLeadingSpaces", "", "S", "k", "  DEF", "  DEF"},
        {"DefaultKeepsATrailingTab", "", "S", "k", "DEF\t", "DEF\t"},
        {"NamesMatchWithoutCase", "[SeCtIoNaz]\r\nMyKeyAZ=v\r\n", "sectionAZ", "MYKEYaz", "D", "v"},
        {"CaseIsIgnoredForAsciiOnly", S + "\xE9=v\r\n", "S", "\xC9", "D", "D"},
        {"BlanksAroundNamesAndEqualsAreIgnored", "  [ \tS  ]  \r\n \t k \t= v\r\n", "S", "k", "D",
         "v"},
        {"InnerBlanksOfAKeyMatter", S + "my  key=v\r\n", "S", "my key", "D", "D"},
        {"SpacesAroundTheQueryAreIgnored", S + "k=v\r\n", "  S ", "  k  ", "D", "v"},
        // Wine also trims TABs from the query; Windows looks for the TAB.
        {"TabsAroundTheQueryAreKept", S + "k=v\r\n", "S", "\tk", "D", "D", false},
        {"ALineWithoutEqualsIsNoKey", S + "bare\r\nbare2 \r\n", "S", "bare", "D", "D"},
        {"AnEmptyKeyNameIsAKey", S + "=v0\r\n", "S", "", "D", "v0"},
        // Wine answers a direct lookup of a ";" line; for Windows it is a comment.
        {"ACommentIsNoKey", S + ";k=v\r\n", "S", ";k", "D", "D", false},
        {"AHashIsNoComment", S + "#h=1\r\n", "S", "#h", "D", "1"},
        {"ThereAreNoInlineComments", S + "k=real ; inline\r\n", "S", "k", "D", "real ; inline"},
        {"TheFirstOfDuplicateKeysWins", S + "k=first\r\nk=second\r\nK=third\r\n", "S", "k", "D",
         "first"},
        {"OnlyTheFirstOfDuplicateSectionsIsSearched", S + "a=1\r\n[T]\r\n[S]\r\nonly2=2\r\n", "S",
         "only2", "D", "D"},
        {"LineFeedsEndLines", "[S]\na=1\nk=lf\n", "S", "k", "D", "lf"},
        {"CarriageReturnsEndLines", "[S]\ra=1\rk=cr\r", "S", "k", "D", "cr"},
        {"TheLastLineNeedsNoLineBreak", S + "k=last ", "S", "k", "D", "last"},
        {"TextAfterTheHeaderIsIgnored", "[S]k=v\r\n", "S", "k", "D", "D"},
        {"AWordAfterTheHeaderIsIgnored", "[A] x\r\nk=v\r\n", "A", "k", "D", "v"},
        // Wine ends the name at the last "]" and takes a line without "]" for no header.
        {"TheNameEndsAtTheFirstBracket", "[C]]\r\nk=v\r\n", "C", "k", "D", "v", false},
        {"AHeaderWithoutBracketOpensASection", "[S]\r\n[T   \r\nk=v\r\n", "T", "k", "D", "v",
         false},
        {"KeysBeforeTheFirstHeaderAreOutOfReach", "k=v\r\n[S]\r\n", "", "k", "D", "D", false},
        {"HighBytesComeBackAsTheyAre", S + "k=\x80\xE9\xFF\r\n", "S", "k", "D", "\x80\xE9\xFF"},
        // Windows knows no UTF-8 mark: the first header is not one.
        {"AUtf8MarkHidesTheFirstHeader", "\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "D", "D", false},
        {"ALongValueIsCut", S + "k=" + longValue + "\r\n", "S", "k", "D",
         longValue.substr(0, 2047)},
        {"AValueThatFitsIsWhole", S + "k=" + longValue.substr(0, 2047) + "\r\n", "S", "k", "D",
         longValue.substr(0, 2047)},
        {"ABufferOfOneGivesNothing", S + "k=value\r\n", "S", "k", "D", "", true, 1},
        {"ABufferOfTwoGivesOneCharacter", S + "k=value\r\n", "S", "k", "D", "v", true, 2},
    };
}
