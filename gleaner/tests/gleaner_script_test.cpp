// A script host nobody here wrote drives the control: regsvr32 registers
// it, cscript creates it by ProgID, reads Text and grabs the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include "testing/child_process.h"
#include "testing/clipboard.h"

using suite::testing::RunProgram;

TEST(GleanerScript, ScriptHostCreatesReadsAndGrabs) {
    ASSERT_EQ(RunProgram("regsvr32 /s Gleaner.dll"), 0u);
    {
        // This process owns the clipboard's bitmap while the script runs.
        suite::testing::ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(8, 8, RGB(255, 0, 0))));
        auto run = suite::testing::RunConsoleProgram("cscript //nologo gleaner_script.js", "gleaner_script.out");
        const std::string& output = run.output;
        EXPECT_EQ(run.exitCode, 0u) << output;
        EXPECT_NE(output.find("PASS Text after creation"), std::string::npos) << output;
        EXPECT_NE(output.find("PASS GrabFromClipboard"), std::string::npos) << output;
        EXPECT_NE(output.find("GLEANER SCRIPT OK"), std::string::npos) << output;
    }
    EXPECT_EQ(RunProgram("regsvr32 /s /u Gleaner.dll"), 0u);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{A33896F1-B98F-11D1-AB08-00C04FAD1EAD}");
}
