// A script host nobody here wrote drives the control: regsvr32 registers
// it, cscript creates it by ProgID, steps it, and sees a refused Min as a
// script error carrying the framework's message.
#include <windows.h>

#include <gtest/gtest.h>

#include "testing/child_process.h"

using suite::testing::RunProgram;

TEST(MeterixScript, ScriptHostCreatesStepsAndSeesTheRefusal) {
    ASSERT_EQ(RunProgram("regsvr32 /s Meterix.dll"), 0u);
    auto run = suite::testing::RunConsoleProgram("cscript //nologo meterix_script.js", "meterix_script.out");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("PASS StepBy -15"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("PASS Min above Max refused"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("METERIX SCRIPT OK"), std::string::npos) << run.output;
    EXPECT_EQ(RunProgram("regsvr32 /s /u Meterix.dll"), 0u);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "TypeLib\\{FB529B2B-A1BF-11D1-AAEC-00C04FAD1EAD}");
}
