// soak: creates, uses and frees every control and form many times and
// prints how much the process grew (see README.md).
//
//   soak.exe [--cycles=N] [--warm-up=N] [GoogleTest options]
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "soak_run.h"

namespace {

bool ReadCount(const char* argument, const char* name, int& value) {
    const size_t length = std::strlen(name);
    if (std::strncmp(argument, name, length) != 0) return false;
    value = std::max(0, std::atoi(argument + length));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    soak::Options& options = soak::RunOptions();
    bool warmUpGiven = false;
    for (int i = 1; i < argc; ++i) {
        if (ReadCount(argv[i], "--cycles=", options.cycles)) continue;
        if (ReadCount(argv[i], "--warm-up=", options.warmUp)) {
            warmUpGiven = true;
            continue;
        }
        std::fprintf(stderr, "soak: unknown argument %s\n", argv[i]);
        return 2;
    }
    // Caches fill in the first few hundred cycles; a short run measures
    // its second half.
    if (!warmUpGiven) options.warmUp = std::min(300, options.cycles / 2);
    options.warmUp = std::min(options.warmUp, options.cycles);

    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "soak: OleInitialize failed\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    std::printf("\nsoak: %d cycles per item, growth over the %d after a warm-up of %d\n", options.cycles,
                options.cycles - options.warmUp, options.warmUp);
    for (const std::string& line : soak::Table()) std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    OleUninitialize();
    return result;
}
