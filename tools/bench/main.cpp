// suite_bench: the suite's start-up, form and control figures in one run,
// each against a floor this program builds itself (see README.md for the
// lines it prints). Run from the build's bin folder:
//   suite_bench [/runs N] [/only start|lumora|forms|controls]
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "control_cycle.h"
#include "form_creation.h"
#include "measure.h"
#include "program_start.h"

namespace {

const char* const kFloor = "bench_bare_window.exe";
const char* const kLumoraDesktop = "BenchLumora";

std::string ThisFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/"));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

const char* WineVersion() {
    using Version = const char*(CDECL*)();
    auto version = reinterpret_cast<Version>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    return version ? version() : "none";
}

void PrintStartFigures(const std::string& folder, int runs) {
    const char* programs[] = {"skelder", "Tessaly", "CorvaneDemo", "Pallets", "MeterixDemo", "Workbench"};
    for (const char* program : programs) {
        std::string file = std::string(program) + ".exe";
        if (!Exists(folder + "\\" + file)) {
            std::printf("start %s skipped: not in %s\n", program, folder.c_str());
            continue;
        }
        bench::PrintStartPair("start", program, file, kFloor, folder, runs);
    }
}

// The surface demo changes the display mode, which only a virtual desktop
// allows here: this program runs again inside one (/lumora-inside) and
// writes its line to a file read back here.
void PrintLumoraFigures(const std::string& folder, int runs) {
    if (!Exists(folder + "\\LumoraProject.exe")) {
        std::printf("lumora skipped: LumoraProject.exe not in %s\n", folder.c_str());
        return;
    }
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
        std::printf("lumora skipped: the virtual desktop is Wine's; on Windows run it on its own\n");
        return;
    }
    std::string output = folder + "\\suite_bench_lumora.txt";
    DeleteFileA(output.c_str());
    std::string line = "explorer.exe /desktop=" + std::string(kLumoraDesktop) + ",1024x768 \"" + folder +
                       "\\suite_bench.exe\" /lumora-inside " + std::to_string(runs) + " \"" + output + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process)) {
        std::printf("lumora skipped: explorer did not start (error %lu)\n", GetLastError());
        return;
    }
    // The inside run ends its file with "done"; explorer may outlive it.
    DWORD limit = 60000 + static_cast<DWORD>(runs) * 20000;
    std::string text;
    for (double start = bench::NowMs(); bench::NowMs() - start < limit; Sleep(200)) {
        if (FILE* file = std::fopen(output.c_str(), "r")) {
            char buffer[1024];
            size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
            std::fclose(file);
            text.assign(buffer, n);
            if (text.find("done\n") != std::string::npos) break;
        }
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileA(output.c_str());
    size_t done = text.find("done\n");
    if (done == std::string::npos)
        std::printf("lumora skipped: the run on the virtual desktop did not finish\n");
    else
        std::printf("%s", text.substr(0, done).c_str());
}

int LumoraInside(const std::string& folder, int runs, const char* output) {
    if (!std::freopen(output, "w", stdout)) return 1;
    bench::PrintStartPair("lumora", "LumoraProject", "LumoraProject.exe", std::string(kFloor) + " /display", folder, runs);
    std::printf("done\n");
    std::fclose(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 11;
    const char* only = nullptr;
    std::string folder = ThisFolder();
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "/runs") && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "/only") && i + 1 < argc) only = argv[++i];
        else if (!std::strcmp(argv[i], "/lumora-inside") && i + 2 < argc) return LumoraInside(folder, std::atoi(argv[i + 1]), argv[i + 2]);
        else {
            std::fprintf(stderr, "usage: suite_bench [/runs N] [/only start|lumora|forms|controls]\n");
            return 2;
        }
    }
    if (runs < 1) runs = 1;
    auto wanted = [only](const char* section) { return !only || !std::strcmp(only, section); };
    std::printf("suite-bench 1 arch %s runs %d wine %s\n", sizeof(void*) == 8 ? "x64" : "x86", runs, WineVersion());
    std::fflush(stdout);
    if (wanted("start")) PrintStartFigures(folder, runs);
    if (wanted("lumora")) PrintLumoraFigures(folder, runs);
    if (wanted("forms") || wanted("controls")) {
        if (FAILED(OleInitialize(nullptr))) {
            std::printf("in-process sections failed: OleInitialize\n");
            return 1;
        }
        if (wanted("forms")) bench::PrintFormFigures(std::max(runs, 5) * 2 - 1);
        if (wanted("controls")) bench::PrintControlCycles(std::max(runs, 5) * 2 - 1);
    }
    std::printf("suite-bench end\n");
    std::fflush(stdout);
    return 0;
}
