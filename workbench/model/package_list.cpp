#include "model/package_list.h"

#include <fstream>

namespace {

AnsiString FullPath(const AnsiString& path) {
    char buffer[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length > 0 && length < MAX_PATH ? AnsiString(buffer, length) : path;
}

}  // namespace

TPackageList::TPackageList(AnsiString settingsFile) : FSettingsFile(std::move(settingsFile)) {}

TPackageList::~TPackageList() {
    for (auto it = FPackages.rbegin(); it != FPackages.rend(); ++it) {
        if (BeforeUnload) BeforeUnload(it->Module);
        UnloadPackage(it->Module);
    }
}

AnsiString TPackageList::DefaultSettingsFile() {
    char buffer[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    AnsiString exe(buffer, length);
    return exe.substr(0, exe.find_last_of("\\/") + 1) + "Workbench.packages";
}

const TInstalledPackage& TPackageList::Install(const AnsiString& path) {
    AnsiString full = FullPath(path);
    for (const TInstalledPackage& p : FPackages)
        if (SameText(p.Path, full)) throw EPackageError(full + " is installed already");
    HMODULE module = LoadPackage(full);
    FPackages.push_back({full, GetPackageDescription(full), module});
    std::erase_if(FFailed, [&](const AnsiString& f) { return SameText(f, full); });
    Remember();
    return FPackages.back();
}

void TPackageList::Remove(size_t index) {
    if (index >= FPackages.size()) throw EListError("No installed package " + IntToStr(static_cast<int>(index)));
    TInstalledPackage package = FPackages[index];
    if (BeforeUnload) BeforeUnload(package.Module);
    FPackages.erase(FPackages.begin() + static_cast<ptrdiff_t>(index));
    UnloadPackage(package.Module);
    Remember();
}

std::vector<AnsiString> TPackageList::InstallRemembered() {
    std::vector<AnsiString> lines, errors;
    {
        std::ifstream file(FSettingsFile);
        for (AnsiString line; std::getline(file, line);)
            if (!Trim(line).empty()) lines.push_back(Trim(line));
    }
    for (const AnsiString& line : lines) {
        try {
            Install(line);
        } catch (const Exception& e) {
            errors.push_back(e.Message());
            FFailed.push_back(line);
        }
    }
    Remember();
    return errors;
}

void TPackageList::Remember() const {
    std::ofstream file(FSettingsFile, std::ios::trunc);
    for (const TInstalledPackage& p : FPackages) file << p.Path << "\n";
    for (const AnsiString& f : FFailed) file << f << "\n";
}
