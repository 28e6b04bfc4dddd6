// Starting a program as a user does and measuring it against the bare
// window: from CreateProcess to the moment it first waits for input
// (WaitForInputIdle), and its working set then.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

struct StartRun {
    bool ok = false;
    std::string failure;     // why not, when !ok
    double msToIdle = 0;
    double workingSetMiB = 0;
};

// Starts commandLine in folder (on the desktop named, when given), waits
// until it is idle, reads its figures, then closes its windows and waits
// for it to end (killing it after a few seconds).
StartRun StartToIdle(const std::string& commandLine, const std::string& folder, const char* desktop = nullptr);

// Runs `runs` pairs alternately (floor, then program) and prints one line:
//   start <name> runs <n> ms <median> floor-ms <median> ratio <r> ws-mib <m> floor-ws-mib <m> ws-over-mib <d>
// or "start <name> failed: <why>". `kind` is the word the line begins with.
void PrintStartPair(const char* kind, const std::string& name, const std::string& programLine,
                    const std::string& floorLine, const std::string& folder, int runs, const char* desktop = nullptr);

}  // namespace bench
