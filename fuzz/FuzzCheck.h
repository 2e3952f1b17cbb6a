// The fuzz targets' one assertion: a broken property stops the run as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>

// libFuzzer saves the input as a crash file when the target aborts; assert() vanishes when
// NDEBUG is set, so the targets use this instead.
inline void FuzzCheck(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}
