// Starts another Windows program (in the same prefix, under Wine) and
// watches it: its exit code, its windows and, optionally, every line it
// writes to the debugger output.
//
//   suite::testing::ChildProcess game("skelder.exe");
//   HWND menu = game.WaitForWindow("TMainForm", nullptr, 5000);
//   ... drive it ...
//   EXPECT_EQ(game.Wait(5000), 0);
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace suite::testing {

struct ProgramRun {
    DWORD exitCode = ~0u;
    bool finished = false;                 // false: killed after the time limit
    std::vector<std::string> debugLines;   // exact, one per OutputDebugStringA
};

// Runs the command line as a debuggee, collecting its debugger output,
// until it ends or the time limit passes (then it is killed).
ProgramRun RunCapturingDebugOutput(const std::string& commandLine, DWORD timeoutMs);

class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine);
    ~ChildProcess();  // kills the program if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }
    // A visible top-level window of this process with the class (and the
    // title, when given), or null after the time limit.
    HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) const;
    // The exit code, or ~0u if it did not end in time.
    DWORD Wait(DWORD timeoutMs);
    bool Running() const;
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Runs a command line to its end: its exit code, or ~0u when it did not
// end in time (then it is killed).
DWORD RunProgram(const std::string& commandLine, DWORD timeoutMs = 60000);

// A console program (a script host) run through the command interpreter
// with both its output streams going to a file (the platform's script
// host writes only to a file or a pipe), read back and removed.
struct ConsoleRun {
    DWORD exitCode = ~0u;
    std::string output;
};
ConsoleRun RunConsoleProgram(const std::string& commandLine, const std::string& outputFile,
                             DWORD timeoutMs = 60000);

}  // namespace suite::testing
