// An ordered record of the calls a fake object received, for asserting
// the exact sequence a control makes.
//
//   suite::testing::CallLog log;
//   log.Add("IOleClientSite::GetContainer");
//   EXPECT_CALLS(log, {"IOleClientSite::GetContainer"});   // and forgets them
//
// A fake's methods that a test does not expect call log.Unexpected(...),
// which records the call and fails the running test at once.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

namespace suite::testing {

class CallLog {
public:
    void Add(std::string call);
    void Unexpected(const std::string& call);
    const std::vector<std::string>& Calls() const { return calls_; }
    std::vector<std::string> Take();
    void Clear() { calls_.clear(); }

private:
    std::vector<std::string> calls_;
};

// Compares the calls so far with the expected list, then forgets them.
// Failures are reported at the caller's file and line.
void ExpectCallsAt(CallLog& log, std::initializer_list<std::string> expected,
                   const char* file, int line);

}  // namespace suite::testing

#define EXPECT_CALLS(log, ...) ::suite::testing::ExpectCallsAt((log), __VA_ARGS__, __FILE__, __LINE__)
