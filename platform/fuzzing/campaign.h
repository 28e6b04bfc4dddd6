// The parent's side: runs a target's inputs in child processes, one per
// batch, with a watchdog on each input, and counts what became of them.
// A crash or a hang ends only its child; the next child starts at the
// input after it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "fuzzing/target.h"

namespace suite::fuzzing {

struct Finding {
    uint64_t index;
    Outcome outcome;     // Fault, Crash or Hang
    unsigned long code;  // the exception code or exit code of a crash
    std::string file;    // where the input was saved, if it was
};

struct Figures {
    std::string target;
    uint64_t inputs = 0;
    uint64_t accepted = 0;
    uint64_t refused = 0;
    uint64_t faults = 0;
    uint64_t crashes = 0;
    uint64_t hangs = 0;
    std::string firstFault;     // what the child said about the first wrong refusal
    std::string error;          // the run itself failed (no child could start)
    std::vector<Finding> findings;
};

struct CampaignOptions {
    std::string program;       // the fuzz program, started with --child
    std::string target;
    uint64_t seed = 1;
    uint64_t inputs = 1000;
    uint64_t batch = 1000;     // inputs per child process
    unsigned long watchdogMs = 2000;
    std::string findingsFolder;  // inputs that crashed, hung or faulted are saved here ("" = not saved)
};

Figures RunCampaign(const CampaignOptions& options);

// "target  inputs  accepted  clean errors  faults  crashes  over 2 s", a
// line per target, in fixed columns.
std::string FiguresHeader();
std::string FiguresLine(const Figures& figures);

}  // namespace suite::fuzzing
