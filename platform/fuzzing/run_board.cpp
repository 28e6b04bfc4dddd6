#include "fuzzing/run_board.h"

namespace suite::fuzzing {

SharedBoard::SharedBoard(const std::string& name, uint64_t inputs, bool create) {
    size_t size = RunBoard::SizeFor(inputs);
    mapping_ = create ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(size), name.c_str())
                      : OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (!mapping_) return;
    board_ = static_cast<RunBoard*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, size));
    if (board_ && create) {
        ZeroMemory(board_, size);  // every outcome NotRun
        board_->faultIndex = -1;
    }
}

SharedBoard::~SharedBoard() {
    if (board_) UnmapViewOfFile(board_);
    if (mapping_) CloseHandle(mapping_);
}

}  // namespace suite::fuzzing
