#include "framework/design/package.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "framework/classes/class_registry.h"
#include "framework/classes/modules.h"

EPackageError::~EPackageError() = default;

namespace {

struct InitializedPackage {
    void* Module;
    const TPackageInfo* Info;
    size_t UnitsInitialized;
};

std::vector<InitializedPackage>& Initialized() {
    static std::vector<InitializedPackage> packages;
    return packages;
}

std::vector<HMODULE>& Loaded() {
    static std::vector<HMODULE> modules;
    return modules;
}

using TEntryPoint = void (*)();

TEntryPoint EntryPoint(HMODULE module, const AnsiString& name) {
    return reinterpret_cast<TEntryPoint>(GetProcAddress(module, name.c_str()));
}

AnsiString ModuleFileName(HMODULE module) {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
    return AnsiString(path, n);
}

// Runs package code; a failure comes back as its message, so that the
// exception object (whose class may live in the package) is gone before
// the package is unloaded.
std::optional<AnsiString> Failure(const auto& run) {
    try {
        run();
        return std::nullopt;
    } catch (const std::exception& e) {
        return AnsiString(e.what());
    } catch (...) {
        return AnsiString("an exception that is not the framework's");
    }
}

void Forget(HMODULE module) {
    std::erase_if(Initialized(), [module](const InitializedPackage& p) { return p.Module == module; });
    std::erase(Loaded(), module);
}

}  // namespace

void InitializePackage(const TPackageInfo& info) {
    void* module = ModuleOfAddress(&info);
    auto& packages = Initialized();
    if (std::any_of(packages.begin(), packages.end(), [module](const auto& p) { return p.Module == module; })) return;
    packages.push_back({module, &info, 0});
    for (const TPackageUnit& unit : info.Units) {
        try {
            if (unit.Initialization) unit.Initialization();
        } catch (...) {
            try {
                FinalizePackage(info);
            } catch (...) {
                // The failed initialization is the one to report.
            }
            throw;
        }
        for (auto& p : packages)
            if (p.Module == module) ++p.UnitsInitialized;
    }
}

void FinalizePackage(const TPackageInfo& info) {
    void* module = ModuleOfAddress(&info);
    auto& packages = Initialized();
    auto it = std::find_if(packages.begin(), packages.end(), [module](const auto& p) { return p.Module == module; });
    if (it == packages.end()) return;
    size_t count = it->UnitsInitialized;
    packages.erase(it);
    // Every unit finalizes even when one before it fails; the first
    // failure is raised afterwards.
    std::exception_ptr first;
    for (size_t i = count; i-- > 0;) {
        try {
            if (info.Units[i].Finalization) info.Units[i].Finalization();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

HMODULE LoadPackage(const AnsiString& path) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) throw EWin32Error("Loading package " + path, GetLastError());
    if (std::find(Loaded().begin(), Loaded().end(), module) != Loaded().end()) {
        FreeLibrary(module);
        throw EPackageError("Package " + path + " is already loaded");
    }
    TEntryPoint initialize = EntryPoint(module, "Initialize");
    TEntryPoint finalize = EntryPoint(module, "Finalize");
    if (!initialize || !finalize) {
        FreeLibrary(module);
        throw EPackageError(path + " is not a package: it exports no Initialize and Finalize");
    }
    std::optional<AnsiString> failure;
    {
        TRegisteringModule registering(module);
        failure = Failure(initialize);
        if (!failure && !GetPackageInfo(module)) failure = "its Initialize hands over no unit table";
        if (!failure) {
            for (const TPackageUnit& unit : GetPackageInfo(module)->Units) {
                if (TEntryPoint registration = EntryPoint(module, PackageRegisterName(unit.Name)))
                    failure = Failure(registration);
                if (failure) break;
            }
        }
        if (failure) {
            UnRegisterModuleClasses(module);
            Failure(finalize);  // the first failure is the one to report
        }
    }
    if (failure) {
        Forget(module);
        FreeLibrary(module);
        throw EPackageError("Package " + path + " failed to load: " + *failure);
    }
    Loaded().push_back(module);
    return module;
}

void UnloadPackage(HMODULE module) {
    if (std::find(Loaded().begin(), Loaded().end(), module) == Loaded().end())
        throw EPackageError("UnloadPackage: the module is not a loaded package");
    AnsiString path = ModuleFileName(module);
    std::optional<AnsiString> failure;
    {
        TRegisteringModule registering(module);
        failure = Failure(EntryPoint(module, "Finalize"));
    }
    UnRegisterModuleClasses(module);
    Forget(module);
    FreeLibrary(module);
    if (failure) throw EPackageError("Package " + path + " failed to finalize: " + *failure);
}

const TPackageInfo* GetPackageInfo(HMODULE module) {
    for (const InitializedPackage& p : Initialized())
        if (p.Module == module) return p.Info;
    return nullptr;
}

AnsiString PackageRegisterName(const AnsiString& unit) { return "Register_" + unit; }

AnsiString GetPackageDescription(const AnsiString& path) {
    HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!file) throw EWin32Error("Reading package " + path, GetLastError());
    AnsiString description;
    if (HRSRC resource = FindResourceA(file, "DESCRIPTION", MAKEINTRESOURCEA(10) /* RT_RCDATA */)) {
        auto text = static_cast<const wchar_t*>(LockResource(LoadResource(file, resource)));
        int length = static_cast<int>(SizeofResource(file, resource) / sizeof(wchar_t));
        while (length > 0 && text[length - 1] == L'\0') --length;
        int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
        description.resize(static_cast<size_t>(size));
        WideCharToMultiByte(CP_ACP, 0, text, length, description.data(), size, nullptr, nullptr);
    }
    FreeLibrary(file);
    return description;
}
