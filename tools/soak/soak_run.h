// The measuring half of the soak: runs a cycle many times, reads what the
// process holds once the warm-up is over and again at the end, and keeps
// one row per item for the table printed when the run ends.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "testing/process_metrics.h"

namespace soak {

struct Options {
    int cycles = 200;  // per control and per form; the long form is 10,000
    int warmUp = 100;  // cycles before the first reading
};
// Set once by main from the command line.
Options& RunOptions();

struct Row {
    std::string item;
    int measuredCycles = 0;
    suite::testing::MetricsGrowth growth;
    std::string endState;  // references at the end, or why the item was skipped
    // Private bytes the platform itself keeps over the measured cycles,
    // measured apart and allowed for (named in endState).
    long long platformShare = 0;
    bool skipped = false;
};

// Runs `cycle` RunOptions().cycles times, pumping the thread's messages
// after each, and returns the growth over the cycles after the warm-up.
// The cycle returns false when something went wrong; the run then stops.
Row Soak(const std::string& item, const std::function<bool()>& cycle);
// Adds the row to the table.
void Record(const Row& row);
// A row with no figures.
void RecordSkipped(const std::string& item, const std::string& why);

// Private bytes a measured stretch may grow by without failing.
long long PrivateBytesTolerance();
// GoogleTest failures for anything grown beyond its tolerance.
void ExpectNoGrowth(const Row& row);

// The table of every item soaked so far, one line each, stable for
// comparison between runs.
std::vector<std::string> Table();

}  // namespace soak
