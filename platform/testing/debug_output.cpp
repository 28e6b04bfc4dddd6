#include "testing/debug_output.h"

#include <windows.h>

#include <stdexcept>

namespace suite::testing {
namespace {

constexpr DWORD kDebugPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C

std::vector<std::string>* g_lines = nullptr;

LONG CALLBACK RecordDebugString(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* rec = info->ExceptionRecord;
    if (g_lines && rec->ExceptionCode == kDebugPrintException && rec->NumberParameters >= 2) {
        // Information[0] is the length including the terminating null.
        auto length = static_cast<size_t>(rec->ExceptionInformation[0]);
        auto text = reinterpret_cast<const char*>(rec->ExceptionInformation[1]);
        if (text && length > 0) g_lines->emplace_back(text, length - 1);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

DebugOutputCapture::DebugOutputCapture() {
    if (g_lines) throw std::logic_error("only one DebugOutputCapture may be active");
    g_lines = new std::vector<std::string>;
    handler_ = AddVectoredExceptionHandler(1, RecordDebugString);
}

DebugOutputCapture::~DebugOutputCapture() {
    RemoveVectoredExceptionHandler(handler_);
    delete g_lines;
    g_lines = nullptr;
}

std::vector<std::string> DebugOutputCapture::Lines() const { return *g_lines; }

std::vector<std::string> DebugOutputCapture::Take() {
    std::vector<std::string> out;
    out.swap(*g_lines);
    return out;
}

void DebugOutputCapture::Clear() { g_lines->clear(); }

}  // namespace suite::testing
