#include "fuzzing/campaign.h"

#include <windows.h>

#include <cstdio>
#include <memory>

#include "fuzzing/run_board.h"
#include "testing/child_process.h"

namespace suite::fuzzing {

namespace {

std::string BoardName() {
    static LONG counter = 0;
    char name[96];
    snprintf(name, sizeof name, "Local\\suite-fuzz-%lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
    return name;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Fault: return "fault";
    case Outcome::Crash: return "crash";
    case Outcome::Hang: return "hang";
    default: return "input";
    }
}

// Runs inputs [begin, end) in one child; returns the input to go on from.
uint64_t RunBatch(const CampaignOptions& options, const std::string& boardName, RunBoard& board,
                  uint64_t begin, uint64_t end, Figures& figures, std::vector<unsigned long>& codes) {
    char command[1024];
    snprintf(command, sizeof command, "%s --child %s %llu %s %llu %llu %llu", Quote(options.program).c_str(),
             options.target.c_str(), static_cast<unsigned long long>(options.seed), boardName.c_str(),
             static_cast<unsigned long long>(options.inputs), static_cast<unsigned long long>(begin),
             static_cast<unsigned long long>(end));
    board.crashCode = 0;
    // Under load Wine now and then fails to start a process: try again
    // before giving the run up.
    std::unique_ptr<suite::testing::ChildProcess> started;
    for (int attempt = 0; attempt < 5 && !(started && started->Started()); ++attempt) {
        if (attempt) Sleep(500);
        started = std::make_unique<suite::testing::ChildProcess>(command);
    }
    suite::testing::ChildProcess& child = *started;
    if (!child.Started()) {
        figures.error = "the fuzz program did not start: " + options.program + " (error " +
                        std::to_string(GetLastError()) + ")";
        return options.inputs;
    }
    for (;;) {
        if (child.Wait(10) != ~0u) break;
        LONG current = board.current;
        DWORD started = board.startTick;
        if (current >= static_cast<LONG>(begin) && board.Outcomes()[current] == Outcome::Started &&
            GetTickCount() - started > options.watchdogMs) {
            child.Kill();
            child.Wait(5000);
            board.Outcomes()[current] = Outcome::Hang;
            return static_cast<uint64_t>(current) + 1;
        }
    }
    DWORD exitCode = child.Wait(0);
    for (uint64_t i = begin; i < end; ++i) {
        if (board.Outcomes()[i] == Outcome::Started) {
            board.Outcomes()[i] = Outcome::Crash;
            codes[i] = board.crashCode ? board.crashCode : exitCode;
            return i + 1;
        }
        if (board.Outcomes()[i] == Outcome::NotRun) {
            figures.error = "the child ended before input " + std::to_string(i) + " with exit code " +
                            std::to_string(exitCode);
            return options.inputs;
        }
    }
    return end;
}

void SaveFinding(const CampaignOptions& options, Finding& finding) {
    if (options.findingsFolder.empty()) return;
    CreateDirectoryA(options.findingsFolder.c_str(), nullptr);
    std::string folder = options.findingsFolder + "\\" + options.target;
    CreateDirectoryA(folder.c_str(), nullptr);
    char file[512];
    snprintf(file, sizeof file, "%s\\%s-%llu-seed%llu.bin", folder.c_str(), OutcomeName(finding.outcome),
             static_cast<unsigned long long>(finding.index), static_cast<unsigned long long>(options.seed));
    char command[1024];
    snprintf(command, sizeof command, "%s --save %s %llu %llu %s", Quote(options.program).c_str(),
             options.target.c_str(), static_cast<unsigned long long>(options.seed),
             static_cast<unsigned long long>(finding.index), Quote(file).c_str());
    if (suite::testing::RunProgram(command, 30000) == 0) finding.file = file;
}

}  // namespace

Figures RunCampaign(const CampaignOptions& options) {
    Figures figures;
    figures.target = options.target;
    std::string boardName = BoardName();
    SharedBoard board(boardName, options.inputs, true);
    if (!board) {
        figures.error = "no shared memory for the run";
        return figures;
    }
    std::vector<unsigned long> codes(options.inputs, 0);
    uint64_t next = 0;
    while (next < options.inputs && figures.error.empty()) {
        uint64_t end = std::min(options.inputs, next + options.batch);
        next = RunBatch(options, boardName, *board.get(), next, end, figures, codes);
    }
    for (uint64_t i = 0; i < options.inputs; ++i) {
        Outcome outcome = board->Outcomes()[i];
        if (outcome == Outcome::NotRun) continue;
        ++figures.inputs;
        switch (outcome) {
        case Outcome::Accepted: ++figures.accepted; break;
        case Outcome::Refused: ++figures.refused; break;
        case Outcome::Fault: ++figures.faults; break;
        case Outcome::Crash: ++figures.crashes; break;
        case Outcome::Hang: ++figures.hangs; break;
        default: break;
        }
        if (outcome == Outcome::Fault || outcome == Outcome::Crash || outcome == Outcome::Hang)
            figures.findings.push_back({i, outcome, codes[i], {}});
    }
    if (board->faultIndex >= 0)
        figures.firstFault = "input " + std::to_string(board->faultIndex) + ": " + std::string(board->faultText);
    // A few of each run are kept: enough to reproduce, not a flood.
    for (size_t i = 0; i < figures.findings.size() && i < 20; ++i) SaveFinding(options, figures.findings[i]);
    return figures;
}

std::string FiguresHeader() {
    char line[160];
    snprintf(line, sizeof line, "%-24s %8s %9s %13s %7s %8s %9s", "target", "inputs", "accepted", "clean errors",
             "faults", "crashes", "over 2 s");
    return line;
}

std::string FiguresLine(const Figures& f) {
    char line[160];
    snprintf(line, sizeof line, "%-24s %8llu %9llu %13llu %7llu %8llu %9llu", f.target.c_str(),
             static_cast<unsigned long long>(f.inputs), static_cast<unsigned long long>(f.accepted),
             static_cast<unsigned long long>(f.refused), static_cast<unsigned long long>(f.faults),
             static_cast<unsigned long long>(f.crashes), static_cast<unsigned long long>(f.hangs));
    return line;
}

}  // namespace suite::fuzzing
