// The child's side: runs inputs [begin, end) of a run through a target,
// writing each outcome to the board. A structured exception nobody handles
// is written down and ends the process; the parent starts the next child
// at the input after it.
#pragma once
#include <cstdint>
#include <string>

namespace suite::fuzzing {

// Exit code 0 when every input ran, 2 when the target or the board could
// not be set up.
int RunChildBatch(const std::string& targetName, uint64_t seed, const std::string& boardName,
                  uint64_t inputs, uint64_t begin, uint64_t end);

// Writes input `index` of a run to a file: how a crash is kept.
bool SaveInput(const std::string& targetName, uint64_t seed, uint64_t index, const std::string& file);

}  // namespace suite::fuzzing
