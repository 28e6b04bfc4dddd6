#include "virtual_desktop.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>

namespace surface_testing {
namespace {

const char kMarker[] = "SURFACE_TEST_DESKTOP";

// Sets one string value under HKCU for as long as it lives, then puts back
// what was there before.
class RegistryValueScope {
public:
    RegistryValueScope(const char* key, const char* name, const char* value) : key_(key), name_(name) {
        HKEY k;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr)) return;
        char old[256];
        DWORD size = sizeof old, type = 0;
        if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            previous_ = std::string(old, strnlen(old, size));
        RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
        RegCloseKey(k);
    }
    ~RegistryValueScope() {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_ALL_ACCESS, &k)) return;
        if (previous_)
            RegSetValueExA(k, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_->c_str()),
                           DWORD(previous_->size() + 1));
        else
            RegDeleteValueA(k, name_.c_str());
        RegCloseKey(k);
    }

private:
    std::string key_, name_;
    std::optional<std::string> previous_;
};

// Wine's settings for one program, removed again unless they were there.
class ProgramSettingsScope {
public:
    explicit ProgramSettingsScope(const std::string& program) : key_("Software\\Wine\\AppDefaults\\" + program) {
        HKEY k;
        existed_ = RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS;
        if (existed_) RegCloseKey(k);
    }
    ~ProgramSettingsScope() {
        if (existed_) return;
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());  // what lies below it
        RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
    }
    const std::string& Key() const { return key_; }

private:
    std::string key_;
    bool existed_ = false;
};

}  // namespace

bool InsideTestDesktop() { return GetEnvironmentVariableA(kMarker, nullptr, 0) > 0; }

namespace {

const char kRestoreMarker[] = "SURFACE_TEST_RESTORE_SCREEN";

// Runs command on the named desktop with one more environment variable;
// the exit code, or ~0u after the time limit (the program is then ended).
DWORD RunOnDesktop(std::string desktop, std::string command, const char* variable, const char* value,
                   DWORD timeoutMs) {
    SetEnvironmentVariableA(variable, value);  // inherited by the child only
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop.data();
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(variable, nullptr);
    if (!started) return ~0u;
    DWORD code = ~0u;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// Wine keeps the monitor's size for the whole prefix, and a virtual desktop
// that changed its mode and was ended before it could change it back
// leaves every program with that size. A test program started with
// kRestoreMarker (WxHxBits) sets that mode on its desktop and ends at
// once, before any test.
const bool restoringScreen = [] {
    char value[64];
    if (!GetEnvironmentVariableA(kRestoreMarker, value, sizeof value)) return false;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    sscanf(value, "%lux%lux%lu", &mode.dmPelsWidth, &mode.dmPelsHeight, &mode.dmBitsPerPel);
    ExitProcess(ChangeDisplaySettingsExA(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL ? 0 : 1);
}();

}  // namespace

DWORD RunThisTestInDesktop(const char* missingDll, const char* missingIn, DWORD timeoutMs) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const char* slash = strrchr(self, '\\');
    // One desktop per test program: test programs run side by side, and a
    // display mode belongs to the whole desktop.
    std::string desktopName = std::string("Surface_") + (slash ? slash + 1 : self);
    RegistryValueScope desktop("Software\\Wine\\Explorer\\Desktops", desktopName.c_str(), "1024x768");
    RegistryValueScope renderer("Software\\Wine\\Direct3D", "renderer", "gdi");
    const DEVMODEA mode = CurrentMode();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    DWORD code;
    {
        ProgramSettingsScope settings(missingIn ? missingIn : slash ? slash + 1 : self);
        std::optional<RegistryValueScope> disabled;
        if (missingDll) disabled.emplace((settings.Key() + "\\DllOverrides").c_str(), missingDll, "");
        const std::string command = std::string("\"") + self + "\" --gtest_color=no --gtest_filter=" +
                                    test->test_suite_name() + "." + test->name();
        code = RunOnDesktop(desktopName, command, kMarker, "1", timeoutMs);
    }

    if (GetSystemMetrics(SM_CXSCREEN) != screenWidth || GetSystemMetrics(SM_CYSCREEN) != screenHeight) {
        ADD_FAILURE() << "the test left the screen at " << GetSystemMetrics(SM_CXSCREEN) << "x"
                      << GetSystemMetrics(SM_CYSCREEN) << "; putting it back";
        char value[64];
        snprintf(value, sizeof value, "%lux%lux%lu", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel);
        RunOnDesktop(desktopName, std::string("\"") + self + "\"", kRestoreMarker, value, 20000);
    }
    return code;
}

std::string BesideThisProgram(const char* name) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

DEVMODEA CurrentMode() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

}  // namespace surface_testing
