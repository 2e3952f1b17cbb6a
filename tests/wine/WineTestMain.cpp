// The main of the Wine test programs: GoogleTest with stdout in binary mode, so that CTest's
// test discovery reads "\n" line ends, not the "\r\n" that Wine's console text mode writes.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
