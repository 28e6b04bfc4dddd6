// The memory a parent shares with the child running a batch: which input
// the child is on and since when, and each input's outcome. The parent
// reads it to tell a crash (the child gone while an input was started)
// and a hang (an input started too long ago) from a finished input.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "fuzzing/target.h"

namespace suite::fuzzing {

struct RunBoard {
    volatile LONG current;      // the input being run, from the run's first
    volatile DWORD startTick;   // GetTickCount() when it started
    volatile DWORD crashCode;   // the structured exception that ended the child
    volatile LONG faultIndex;   // the first input refused wrongly, or -1
    char faultText[480];        // what was wrong with it

    // One outcome per input of the run, right after the header.
    volatile Outcome* Outcomes() { return reinterpret_cast<volatile Outcome*>(this + 1); }
    static size_t SizeFor(uint64_t inputs) { return sizeof(RunBoard) + inputs; }
};

// A named mapping holding a RunBoard, made by the parent and opened by the
// child.
class SharedBoard {
public:
    SharedBoard(const std::string& name, uint64_t inputs, bool create);
    ~SharedBoard();
    SharedBoard(const SharedBoard&) = delete;
    SharedBoard& operator=(const SharedBoard&) = delete;
    RunBoard* operator->() const { return board_; }
    RunBoard* get() const { return board_; }
    explicit operator bool() const { return board_ != nullptr; }

private:
    HANDLE mapping_ = nullptr;
    RunBoard* board_ = nullptr;
};

}  // namespace suite::fuzzing
