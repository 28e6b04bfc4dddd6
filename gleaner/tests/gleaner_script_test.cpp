// A script host nobody here wrote drives the control: regsvr32 registers
// it, cscript creates it by ProgID, reads Text and grabs the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <cstdio>
#include <sstream>
#include <string>

#include "testing/child_process.h"
#include "testing/clipboard.h"

using suite::testing::ChildProcess;

namespace {

DWORD RunProgram(const std::string& command) {
    ChildProcess child(command);
    EXPECT_TRUE(child.Started()) << command;
    return child.Wait(60000);
}

std::string ReadFile(const char* path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(GleanerScript, ScriptHostCreatesReadsAndGrabs) {
    ASSERT_EQ(RunProgram("regsvr32 /s Gleaner.dll"), 0u);
    {
        // This process owns the clipboard's bitmap while the script runs.
        suite::testing::ClipboardScope clipboard;
        ASSERT_TRUE(clipboard.PutBitmap(suite::testing::MakeSolidDib(8, 8, RGB(255, 0, 0))));
        DWORD exitCode =
            RunProgram("cmd /c cscript //nologo gleaner_script.js > gleaner_script.out 2>&1");
        std::string output = ReadFile("gleaner_script.out");
        std::remove("gleaner_script.out");
        EXPECT_EQ(exitCode, 0u) << output;
        EXPECT_NE(output.find("PASS Text after creation"), std::string::npos) << output;
        EXPECT_NE(output.find("PASS GrabFromClipboard"), std::string::npos) << output;
        EXPECT_NE(output.find("GLEANER SCRIPT OK"), std::string::npos) << output;
    }
    EXPECT_EQ(RunProgram("regsvr32 /s /u Gleaner.dll"), 0u);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{A33896F1-B98F-11D1-AB08-00C04FAD1EAD}");
}
