// The fuzz program. With target names (or none, for all) it is the long
// run: every target's inputs in child processes of itself, and a table of
// what became of them:
//
//   suite_fuzz.exe [--inputs N] [--seed S] [target...]    (100000 inputs, seed 1)
//
// The parent starts it again as a child for each batch (--child), to save
// an input that crashed (--save), to run one file and say what became
// of it (--explain <target> <file>), and once to write the controls' seed
// files (--write-seeds <folder>).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzzing/campaign.h"
#include "fuzzing/child_runner.h"
#include "fuzzing/targets/targets.h"

namespace suite::fuzzing {

bool WriteControlSeeds(const std::string& folder);
bool WriteImageSeeds(const std::string& folder);

const std::vector<Target>& AllTargets() {
    static const std::vector<Target> all = [] {
        std::vector<Target> targets = FrameworkTargets();
        for (auto* more : {ControlTargets, RegistrarTargets})
            for (Target& t : more()) targets.push_back(std::move(t));
        return targets;
    }();
    return all;
}

}  // namespace suite::fuzzing

namespace {

using namespace suite::fuzzing;

uint64_t Number(const char* text) { return std::strtoull(text, nullptr, 10); }

std::string ThisProgram() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// One input file through a target in this process, with what the target
// said about it: how a kept input is looked at.
int Explain(const std::string& name, const std::string& file) {
    const Target* target = FindTarget(name);
    if (!target) return 2;
    if (target->prepare) target->prepare();
    FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) return 2;
    std::string input;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) input.append(buffer, got);
    std::fclose(in);
    std::string said;
    Outcome outcome = target->run(input, said);
    const char* names[] = {"not run", "started", "accepted", "refused", "fault", "crash", "hang"};
    std::printf("%s: %s %s\n", name.c_str(), names[static_cast<int>(outcome)], said.c_str());
    return 0;
}

int LongRun(int argc, char** argv) {
    uint64_t inputs = 100000;
    uint64_t seed = 1;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--inputs") && i + 1 < argc) inputs = Number(argv[++i]);
        else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) seed = Number(argv[++i]);
        else names.push_back(argv[i]);
    }
    if (names.empty())
        for (const Target& t : AllTargets()) names.push_back(t.name);
    std::printf("seed %llu, %llu inputs per target, 2 s watchdog\n%s\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(inputs), FiguresHeader().c_str());
    std::fflush(stdout);
    int failures = 0;
    std::vector<Figures> all;
    for (const std::string& name : names) {
        if (!FindTarget(name)) {
            std::fprintf(stderr, "suite_fuzz: no target %s\n", name.c_str());
            return 2;
        }
        CampaignOptions options;
        options.program = ThisProgram();
        options.target = name;
        options.seed = seed;
        options.inputs = inputs;
        options.findingsFolder = "fuzz-findings";
        Figures figures = RunCampaign(options);
        std::printf("%s\n", FiguresLine(figures).c_str());
        std::fflush(stdout);
        if (!figures.error.empty() || figures.faults || figures.crashes || figures.hangs) ++failures;
        all.push_back(std::move(figures));
    }
    for (const Figures& f : all) {
        if (!f.error.empty()) std::printf("%s: %s\n", f.target.c_str(), f.error.c_str());
        if (!f.firstFault.empty()) std::printf("%s: %s\n", f.target.c_str(), f.firstFault.c_str());
        for (const Finding& finding : f.findings)
            if (!finding.file.empty()) std::printf("%s: kept %s (code 0x%08lX)\n", f.target.c_str(), finding.file.c_str(), finding.code);
    }
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 8 && !std::strcmp(argv[1], "--child"))
        return RunChildBatch(argv[2], Number(argv[3]), argv[4], Number(argv[5]), Number(argv[6]), Number(argv[7]));
    if (argc == 6 && !std::strcmp(argv[1], "--save"))
        return SaveInput(argv[2], Number(argv[3]), Number(argv[4]), argv[5]) ? 0 : 1;
    if (argc == 4 && !std::strcmp(argv[1], "--explain")) return Explain(argv[2], argv[3]);
    if (argc == 3 && !std::strcmp(argv[1], "--write-seeds")) return WriteImageSeeds(argv[2]) && WriteControlSeeds(argv[2]) ? 0 : 1;
    return LongRun(argc, argv);
}
