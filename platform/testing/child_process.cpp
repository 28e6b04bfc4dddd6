#include "testing/child_process.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace suite::testing {

namespace {

std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    if (info.fUnicode || info.nDebugStringLength == 0) return {};
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, text.data(), text.size(), &read);
    text.resize(read);
    if (!text.empty() && text.back() == '\0') text.pop_back();  // length counts the null
    return text;
}

}  // namespace

ProgramRun RunCapturingDebugOutput(const std::string& commandLine, DWORD timeoutMs) {
    ProgramRun run;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION pi = {};
    std::string mutableLine = commandLine;
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &pi))
        return run;
    DWORD deadline = GetTickCount() + timeoutMs;
    for (;;) {
        DWORD now = GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0) {
            TerminateProcess(pi.hProcess, ~0u);
            DebugActiveProcessStop(pi.dwProcessId);
            break;
        }
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, deadline - now)) continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case OUTPUT_DEBUG_STRING_EVENT:
            run.debugLines.push_back(ReadDebugString(pi.hProcess, event.u.DebugString));
            break;
        case EXCEPTION_DEBUG_EVENT:
            // Let the program handle its own exceptions; the first
            // breakpoint is the loader's and must be continued.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            run.exitCode = event.u.ExitProcess.dwExitCode;
            run.finished = true;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (run.finished) break;
    }
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

ChildProcess::ChildProcess(const std::string& commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION pi = {};
    std::string mutableLine = commandLine;
    if (CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        processId_ = pi.dwProcessId;
    }
}

ChildProcess::~ChildProcess() {
    if (Running()) Kill();
    if (process_) CloseHandle(process_);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char text[256];
    if (search->className) {
        GetClassNameA(window, text, sizeof text);
        if (lstrcmpA(text, search->className) != 0) return TRUE;
    }
    if (search->title) {
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, search->title) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

HWND ChildProcess::WaitForWindow(const char* className, const char* title,
                                 DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    do {
        WindowSearch search = {processId_, className, title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

DWORD ChildProcess::Wait(DWORD timeoutMs) {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return ~0u;
    DWORD code = ~0u;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool ChildProcess::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
    if (!process_) return;
    TerminateProcess(process_, ~0u);
    WaitForSingleObject(process_, 5000);
}

DWORD RunProgram(const std::string& commandLine, DWORD timeoutMs) {
    ChildProcess child(commandLine);
    return child.Started() ? child.Wait(timeoutMs) : ~0u;
}

ConsoleRun RunConsoleProgram(const std::string& commandLine, const std::string& outputFile, DWORD timeoutMs) {
    ConsoleRun run;
    run.exitCode = RunProgram("cmd /c " + commandLine + " > " + outputFile + " 2>&1", timeoutMs);
    std::ifstream in(outputFile);
    std::stringstream text;
    text << in.rdbuf();
    run.output = text.str();
    in.close();
    std::remove(outputFile.c_str());
    return run;
}

}  // namespace suite::testing
