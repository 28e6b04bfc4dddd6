// The seeded mutator: input number n of a run is made from the run's seed,
// the target's name and n alone, so any input of any run can be made again
// (by the child that runs it, or to save it when it crashed) without
// storing it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace suite::fuzzing {

// splitmix64: the same numbers on every compiler and architecture (the
// standard library's distributions are not).
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // 0 .. bound-1 (bound > 0).
    uint64_t Below(uint64_t bound) { return Next() % bound; }
    bool OneIn(uint64_t n) { return Below(n) == 0; }

private:
    uint64_t state_;
};

uint64_t HashName(const std::string& text);

struct MutationSources {
    const std::vector<std::string>* corpus;  // at least one entry
    const std::vector<std::string>* tokens;  // words of a text format; may be empty
};

// One to eight stacked mutations of a corpus entry: bit flips, bytes set to
// interesting values, ranges inserted, deleted or duplicated, a splice with
// another entry, a token inserted or put over a word. Never longer than
// maxSize.
std::string Mutate(const MutationSources& sources, Random& random, size_t maxSize);

}  // namespace suite::fuzzing
