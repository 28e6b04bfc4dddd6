#include "testing/call_log.h"

#include <gtest/gtest.h>

#include <sstream>

namespace suite::testing {

void CallLog::Add(std::string call) { calls_.push_back(std::move(call)); }

void CallLog::Unexpected(const std::string& call) {
    calls_.push_back(call);
    ADD_FAILURE() << "unexpected call: " << call;
}

std::vector<std::string> CallLog::Take() {
    std::vector<std::string> out;
    out.swap(calls_);
    return out;
}

void ExpectCallsAt(CallLog& log, std::initializer_list<std::string> expected,
                   const char* file, int line) {
    std::vector<std::string> want(expected);
    std::vector<std::string> got = log.Take();
    if (want == got) return;
    std::ostringstream message;
    message << "call sequence differs\n  expected:";
    for (auto& c : want) message << "\n    " << c;
    message << "\n  actual:";
    for (auto& c : got) message << "\n    " << c;
    GTEST_MESSAGE_AT_(file, line, message.str().c_str(),
                      ::testing::TestPartResult::kNonFatalFailure);
}

}  // namespace suite::testing
