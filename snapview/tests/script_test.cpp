// The platform's own script host creates the control by its ProgID and
// uses it through automation: Title written and read back, a grab, and the
// control gone (ObjectDestroyed) when the script lets it go.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "snapview_library.h"
#include "testing/child_process.h"
#include "testing/clipboard.h"

using namespace snapview_test;
using suite::testing::ClipboardScope;
using suite::testing::RunCapturingDebugOutput;

namespace {

bool Contains(const std::vector<std::string>& messages, const std::string& message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

}  // namespace

TEST(ScriptHost, ReadsAndWritesTitleAndGrabsThroughAutomation) {
    ClipboardScope clipboard;
    ASSERT_TRUE(clipboard.PutUnicodeText(L"for the script"));
    // The host's control lives in the host's process: its trace lines come
    // to us as that process's debugger output.
    auto run = RunCapturingDebugOutput("cscript.exe //nologo script_test.js", 60000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u) << "the script printed which check failed";
    std::vector<std::string> messages;
    for (const std::string& m : Messages(run.debugLines)) {
        if (!m.starts_with("malformed: ")) messages.push_back(m);
    }
    EXPECT_TRUE(Contains(messages, "DLLENTRY: TImpIClassFactory::CreateInstance riid=0"));
    EXPECT_TRUE(Contains(messages, "SNAPVIEW: TSnapview::get_Title"));
    EXPECT_EQ(std::count(messages.begin(), messages.end(), "SNAPVIEW: TSnapview::GrabFromClipboard"),
              2);  // at creation and from the script
    EXPECT_TRUE(Contains(messages, "DLLENTRY: ObjectDestroyed"));
}

TEST(ScriptHost, ReportsACreationFailureWhenTheClipboardIsEmpty) {
    ClipboardScope clipboard;
    auto run = RunCapturingDebugOutput("cscript.exe //nologo script_test.js", 60000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1u);
}
