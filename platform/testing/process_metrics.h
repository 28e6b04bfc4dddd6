// What a running process holds, read from outside or from inside: the
// figures a long run watches for growth and a start-up benchmark compares
// against a bare window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace suite::testing {

struct ProcessMetrics {
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    DWORD handles = 0;
    uint64_t privateBytes = 0;
    uint64_t workingSet = 0;
};

// The figures of a process opened with at least
// PROCESS_QUERY_INFORMATION | PROCESS_VM_READ; zeros where the platform
// could not say.
ProcessMetrics ReadProcessMetrics(HANDLE process);
// For this process, a figure the platform does not keep (Wine keeps none
// but the working set) is counted instead (handle_census.h).
ProcessMetrics ReadOwnMetrics();

// later - earlier, field by field (negative when something was freed).
struct MetricsGrowth {
    long long gdiObjects = 0;
    long long userObjects = 0;
    long long handles = 0;
    long long privateBytes = 0;
    long long workingSet = 0;
};
MetricsGrowth Growth(const ProcessMetrics& earlier, const ProcessMetrics& later);

// One line, stable for comparison between runs:
// "gdi 12 user 7 handles 40 private 1234567 working-set 2345678".
std::string Describe(const ProcessMetrics& m);
std::string Describe(const MetricsGrowth& g);

}  // namespace suite::testing
