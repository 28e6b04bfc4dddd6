#include "testing/process_metrics.h"

#include <psapi.h>

#include "testing/handle_census.h"

#include <cstdio>

namespace suite::testing {

ProcessMetrics ReadProcessMetrics(HANDLE process) {
    ProcessMetrics m;
    m.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    m.userObjects = GetGuiResources(process, GR_USEROBJECTS);
    GetProcessHandleCount(process, &m.handles);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
        m.privateBytes = counters.PrivateUsage;
        m.workingSet = counters.WorkingSetSize;
    }
    return m;
}

ProcessMetrics ReadOwnMetrics() {
    ProcessMetrics m = ReadProcessMetrics(GetCurrentProcess());
    // A live process always holds some of each: zero means the platform
    // (Wine) does not keep the counter, so count them here.
    if (m.gdiObjects == 0) m.gdiObjects = CountGdiObjects();
    if (m.userObjects == 0) m.userObjects = CountUserObjects();
    if (m.handles == 0) m.handles = CountKernelHandles();
    if (m.privateBytes == 0) m.privateBytes = CountPrivateBytes();
    return m;
}

MetricsGrowth Growth(const ProcessMetrics& earlier, const ProcessMetrics& later) {
    auto diff = [](uint64_t a, uint64_t b) { return static_cast<long long>(b) - static_cast<long long>(a); };
    return {diff(earlier.gdiObjects, later.gdiObjects), diff(earlier.userObjects, later.userObjects),
            diff(earlier.handles, later.handles), diff(earlier.privateBytes, later.privateBytes),
            diff(earlier.workingSet, later.workingSet)};
}

std::string Describe(const ProcessMetrics& m) {
    char line[160];
    std::snprintf(line, sizeof line, "gdi %lu user %lu handles %lu private %llu working-set %llu",
                  static_cast<unsigned long>(m.gdiObjects), static_cast<unsigned long>(m.userObjects),
                  static_cast<unsigned long>(m.handles), static_cast<unsigned long long>(m.privateBytes),
                  static_cast<unsigned long long>(m.workingSet));
    return line;
}

std::string Describe(const MetricsGrowth& g) {
    char line[160];
    std::snprintf(line, sizeof line, "gdi %+lld user %+lld handles %+lld private %+lld working-set %+lld",
                  g.gdiObjects, g.userObjects, g.handles, g.privateBytes, g.workingSet);
    return line;
}

}  // namespace suite::testing
