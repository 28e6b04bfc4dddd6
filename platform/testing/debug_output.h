// Captures what this process writes with OutputDebugStringA, one exact
// line per call, while the capture object lives.
//
//   suite::testing::DebugOutputCapture trace;
//   OutputDebugStringA("hello");
//   EXPECT_EQ(trace.Lines(), (std::vector<std::string>{"hello"}));
//
// The platform raises DBG_PRINTEXCEPTION_C for every call, debugger or not;
// a vectored handler sees it first and records the bytes. One capture may
// be active at a time.
#pragma once
#include <string>
#include <vector>

namespace suite::testing {

class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    std::vector<std::string> Lines() const;
    // Returns the lines so far and forgets them.
    std::vector<std::string> Take();
    void Clear();

private:
    void* handler_;
};

}  // namespace suite::testing
