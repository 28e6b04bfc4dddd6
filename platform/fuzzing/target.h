// A fuzz target: one reader of outside data, fed a whole input at a time
// in the child process, and the files its inputs are grown from.
#pragma once
#include <string>
#include <vector>

namespace suite::fuzzing {

enum class Outcome : unsigned char {
    NotRun = 0,
    Started,
    Accepted,  // read as valid input
    Refused,   // refused with the component's own error, nothing changed
    Fault,     // refused wrongly: another error, or the object half changed
    Crash,     // a structured exception or an escaped C++ exception
    Hang,      // over the watchdog's limit (set by the parent)
};

struct Target {
    std::string name;
    // Repository files (relative to its root; a folder means every file in
    // it, in name order) whose bytes are the first inputs and the corpus.
    std::vector<std::string> seeds;
    // Words of a text format, inserted by the mutator.
    std::vector<std::string> tokens;
    size_t maxSize = 1 << 20;
    // Once per child, before its first input (COM, a control's library).
    void (*prepare)() = nullptr;
    // Accepted or Refused (with the refusal's message); Fault with what
    // was wrong. A C++ exception that escapes is counted as a crash.
    Outcome (*run)(const std::string& input, std::string& fault) = nullptr;
};

// Every target of the program, and the one of that name (or null).
const std::vector<Target>& AllTargets();
const Target* FindTarget(const std::string& name);

// The folder of the repository, as this process names it.
std::string RepositoryPath(const std::string& relative);
// The corpus of a target: its seed files, then every input of its
// crashes/ folder (platform/fuzzing/crashes/<name>), which the short run
// replays before it mutates anything.
std::vector<std::string> LoadSeeds(const Target& target);
// Input n of a run: the seeds first, as they are, then mutations.
std::string MakeInput(const Target& target, const std::vector<std::string>& seeds, uint64_t seed,
                      uint64_t index);

}  // namespace suite::fuzzing
