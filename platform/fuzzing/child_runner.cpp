#include "fuzzing/child_runner.h"

#include <cstdio>
#include <exception>
#include <fstream>

#include "fuzzing/run_board.h"

namespace suite::fuzzing {

namespace {

RunBoard* gBoard = nullptr;

LONG WINAPI RecordCrash(EXCEPTION_POINTERS* info) {
    DWORD code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 1;
    if (gBoard) gBoard->crashCode = code;
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

void RecordTermination() {
    if (gBoard) gBoard->crashCode = 3;
    TerminateProcess(GetCurrentProcess(), 3);
}

void NoteFault(RunBoard& board, LONG index, const std::string& text) {
    if (board.faultIndex >= 0) return;
    snprintf(board.faultText, sizeof board.faultText, "%s", text.c_str());
    board.faultIndex = index;
}

}  // namespace

int RunChildBatch(const std::string& targetName, uint64_t seed, const std::string& boardName,
                  uint64_t inputs, uint64_t begin, uint64_t end) {
    const Target* target = FindTarget(targetName);
    SharedBoard board(boardName, inputs, false);
    if (!target || !board) return 2;
    gBoard = board.get();
    // No dialog for a crash or a failed assertion: the process just ends.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(RecordCrash);
    std::set_terminate(RecordTermination);
    if (target->prepare) target->prepare();
    std::vector<std::string> seeds = LoadSeeds(*target);
    for (uint64_t i = begin; i < end; ++i) {
        std::string input = MakeInput(*target, seeds, seed, i);
        board->startTick = GetTickCount();
        MemoryBarrier();
        board->current = static_cast<LONG>(i);
        board->Outcomes()[i] = Outcome::Started;
        MemoryBarrier();
        std::string fault;
        Outcome outcome;
        try {
            outcome = target->run(input, fault);
        } catch (const std::exception& e) {
            outcome = Outcome::Crash;
            fault = std::string("escaped C++ exception: ") + e.what();
        } catch (...) {
            outcome = Outcome::Crash;
            fault = "escaped C++ exception";
        }
        if (outcome == Outcome::Fault || outcome == Outcome::Crash) NoteFault(*board.get(), static_cast<LONG>(i), fault);
        board->Outcomes()[i] = outcome;
    }
    return 0;
}

bool SaveInput(const std::string& targetName, uint64_t seed, uint64_t index, const std::string& file) {
    const Target* target = FindTarget(targetName);
    if (!target) return false;
    std::string input = MakeInput(*target, LoadSeeds(*target), seed, index);
    std::ofstream out(file, std::ios::binary);
    out.write(input.data(), static_cast<std::streamsize>(input.size()));
    return static_cast<bool>(out);
}

}  // namespace suite::fuzzing
