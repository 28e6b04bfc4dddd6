#include "program_start.h"

#include <cstdio>
#include <vector>

#include "measure.h"
#include "testing/process_metrics.h"

namespace bench {

namespace {

BOOL CALLBACK CloseWindowOfProcess(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Closes the program as a user would (its top-level windows get WM_CLOSE),
// so a program that changed the display gives it back before the next run.
void CloseProgram(const PROCESS_INFORMATION& process) {
    EnumWindows(CloseWindowOfProcess, static_cast<LPARAM>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
}

}  // namespace

StartRun StartToIdle(const std::string& commandLine, const std::string& folder, const char* desktop) {
    StartRun run;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    double start = NowMs();
    auto launch = [&] {
        return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                              &process) != FALSE;
    };
    // This Wine now and then refuses a start on a busy machine
    // (ERROR_INTERNAL_ERROR); a second try is timed from its own start.
    if (!launch()) {
        DWORD first = GetLastError();
        Sleep(100);
        start = NowMs();
        if (!launch()) {
            run.failure = "CreateProcess error " + std::to_string(first) + ", then " + std::to_string(GetLastError());
            return run;
        }
    }
    DWORD idle = WaitForInputIdle(process.hProcess, 30000);
    double end = NowMs();
    if (idle != 0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        run.failure = exitCode == STILL_ACTIVE ? "not idle within 30 s" : "ended with " + std::to_string(exitCode) + " before idle";
    } else {
        run.ok = true;
        run.msToIdle = end - start;
        run.workingSetMiB = static_cast<double>(suite::testing::ReadProcessMetrics(process.hProcess).workingSet) / (1024.0 * 1024.0);
    }
    CloseProgram(process);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

void PrintStartPair(const char* kind, const std::string& name, const std::string& programLine,
                    const std::string& floorLine, const std::string& folder, int runs, const char* desktop) {
    std::vector<double> ms, floorMs, ws, floorWs;
    for (int i = 0; i < runs; ++i) {
        StartRun floor = StartToIdle(floorLine, folder, desktop);
        StartRun program = StartToIdle(programLine, folder, desktop);
        const StartRun& failed = !floor.ok ? floor : program;
        if (!failed.ok) {
            std::printf("%s %s failed: %s%s\n", kind, name.c_str(), !floor.ok ? "floor " : "", failed.failure.c_str());
            std::fflush(stdout);
            return;
        }
        floorMs.push_back(floor.msToIdle);
        ms.push_back(program.msToIdle);
        floorWs.push_back(floor.workingSetMiB);
        ws.push_back(program.workingSetMiB);
    }
    double m = Median(ms), f = Median(floorMs), w = Median(ws), fw = Median(floorWs);
    std::printf("%s %s runs %d ms %.1f floor-ms %.1f ratio %.2f ws-mib %.1f floor-ws-mib %.1f ws-over-mib %.1f\n", kind,
                name.c_str(), runs, m, f, f > 0 ? m / f : 0.0, w, fw, w - fw);
    std::fflush(stdout);
}

}  // namespace bench
