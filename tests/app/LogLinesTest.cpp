// The log's line store: lines that run across its blocks and offset chunks, empty lines, a zero
// byte, and the reads the box and Save make.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "app/LogLines.h"

namespace {

// Blocks of four bytes and chunks of two lines: every case below crosses both.
std::vector<std::string> Sample() {
    return {"", "abcdefghij", "", "x", "wxyz", "12", "345678", ""};
}

TEST(LogLinesTest, LinesAcrossBlocksAndChunksReadBackWhole) {
    TLogLines lines(4, 2);
    const std::vector<std::string> sample = Sample();
    std::size_t bytes = 0;
    for (const std::string& line : sample) {
        lines.Append(line);
        bytes += line.size();
    }
    ASSERT_EQ(lines.LineCount(), sample.size());
    EXPECT_EQ(lines.TextBytes(), bytes);
    for (std::size_t i = 0; i < sample.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        const std::string& expected = sample[i];
        EXPECT_EQ(lines.Line(i), expected);
        EXPECT_EQ(lines.LineLength(i), expected.size());
        char buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(lines.CopyLine(i, buffer, sizeof buffer), expected.size());
        EXPECT_EQ(std::string(buffer), expected);
    }
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(lines.WriteTo(file, "\r\n"));
    std::rewind(file);
    std::string written(64, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), file));
    std::fclose(file);
    EXPECT_EQ(written, "\r\nabcdefghij\r\n\r\nx\r\nwxyz\r\n12\r\n345678\r\n\r\n");
}

TEST(LogLinesTest, CopyLineCutsToTheBufferAndAlwaysEndsWithAZeroByte) {
    TLogLines lines(4, 2);
    lines.Append("abcdefghij");
    struct TCase {
        std::size_t Capacity;
        std::string Expected;
    };
    for (const TCase& c : {TCase{1, ""}, TCase{4, "abc"}, TCase{5, "abcd"}, TCase{6, "abcde"},
                           TCase{10, "abcdefghi"}, TCase{11, "abcdefghij"}}) {
        SCOPED_TRACE("capacity " + std::to_string(c.Capacity));
        std::string buffer(12, '#');
        EXPECT_EQ(lines.CopyLine(0, buffer.data(), c.Capacity), c.Expected.size());
        EXPECT_EQ(buffer.substr(0, c.Expected.size() + 1), c.Expected + '\0');
        EXPECT_EQ(buffer[c.Capacity], '#') << "written past the buffer";
    }
    char untouched = '#';
    EXPECT_EQ(lines.CopyLine(0, &untouched, 0), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST(LogLinesTest, ALineEndsAtItsFirstZeroByteAndTheNextLineStandsWhole) {
    TLogLines lines(4, 2);
    lines.Append(std::string("Got key \0tail", 13));
    lines.Append(std::string("\0", 1));
    lines.Append("Sending Key a");
    ASSERT_EQ(lines.LineCount(), 3u);
    EXPECT_EQ(lines.Line(0), "Got key ");
    EXPECT_EQ(lines.Line(1), "");
    EXPECT_EQ(lines.Line(2), "Sending Key a");
    EXPECT_EQ(lines.TextBytes(), 21u);
}

}  // namespace
