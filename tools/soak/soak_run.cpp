#include "soak_run.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "testing/fake_site.h"

namespace soak {

namespace {

std::vector<Row>& Rows() {
    static std::vector<Row> rows;
    return rows;
}

// The heap commits and trims memory in whole regions of up to 64 KiB, and
// the platform's own caches (fonts, window classes, the message queue)
// settle in steps of a few pages; 256 KiB over the measured stretch covers
// both, while a leak of 64 bytes a cycle over the long run's 9,700 cycles
// (620 KB) or of 3 KB a cycle over the short run's 100 does not fit.
constexpr long long kPrivateBytesTolerance = 256 * 1024;

}  // namespace

Options& RunOptions() {
    static Options options;
    return options;
}

long long PrivateBytesTolerance() { return kPrivateBytesTolerance; }

Row Soak(const std::string& item, const std::function<bool()>& cycle) {
    const Options& options = RunOptions();
    Row row;
    row.item = item;
    int done = 0;
    bool ok = true;
    for (; ok && done < options.warmUp; ++done) {
        ok = cycle();
        suite::testing::PumpMessages();
    }
    const suite::testing::ProcessMetrics afterWarmUp = suite::testing::ReadOwnMetrics();
    for (; ok && done < options.cycles; ++done) {
        ok = cycle();
        suite::testing::PumpMessages();
    }
    EXPECT_TRUE(ok) << item << ": cycle " << done << " failed";
    row.measuredCycles = done > options.warmUp ? done - options.warmUp : 0;
    row.growth = suite::testing::Growth(afterWarmUp, suite::testing::ReadOwnMetrics());
    return row;
}

void Record(const Row& row) {
    Rows().push_back(row);
    // At once too, so that a long run stopped early still tells its figures.
    std::printf("soak: %s\n", Table().back().c_str());
    std::fflush(stdout);
}

void RecordSkipped(const std::string& item, const std::string& why) {
    Row row;
    row.item = item;
    row.endState = why;
    row.skipped = true;
    Record(row);
}

void ExpectNoGrowth(const Row& row) {
    EXPECT_LE(row.growth.gdiObjects, 0) << row.item << ": GDI objects grew";
    EXPECT_LE(row.growth.userObjects, 0) << row.item << ": USER objects grew";
    EXPECT_LE(row.growth.handles, 0) << row.item << ": handles grew";
    EXPECT_LE(row.growth.privateBytes, kPrivateBytesTolerance + row.platformShare)
        << row.item << ": private bytes grew";
}

std::vector<std::string> Table() {
    std::vector<std::string> lines;
    char line[256];
    std::snprintf(line, sizeof line, "%-14s %7s %5s %5s %8s %14s %10s  %s", "item", "cycles", "gdi", "user",
                  "handles", "private-bytes", "bytes/cyc", "at the end");
    lines.push_back(line);
    for (const Row& r : Rows()) {
        if (r.skipped) {
            std::snprintf(line, sizeof line, "%-14s skipped: %s", r.item.c_str(), r.endState.c_str());
        } else {
            const double perCycle =
                r.measuredCycles ? static_cast<double>(r.growth.privateBytes) / r.measuredCycles : 0.0;
            std::snprintf(line, sizeof line, "%-14s %7d %+5lld %+5lld %+8lld %+14lld %+10.1f  %s", r.item.c_str(),
                          r.measuredCycles, r.growth.gdiObjects, r.growth.userObjects, r.growth.handles,
                          r.growth.privateBytes, perCycle, r.endState.c_str());
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace soak
