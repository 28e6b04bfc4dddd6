// The packages the workbench has installed: each loaded with the
// framework's package loader, listed with its description, and remembered
// one full path a line in a settings file of ours (Workbench.packages
// beside the program), so that the next start installs them again.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/framework.h"

struct TInstalledPackage {
    AnsiString Path;  // full path
    AnsiString Description;
    HMODULE Module;
};

class TPackageList {
public:
    explicit TPackageList(AnsiString settingsFile);
    // Unloads every package, last first, and remembers them all.
    ~TPackageList();
    TPackageList(const TPackageList&) = delete;
    TPackageList& operator=(const TPackageList&) = delete;

    // Before a package goes: the objects of its classes and the editors it
    // made must be freed by then.
    std::function<void(HMODULE)> BeforeUnload;

    const std::vector<TInstalledPackage>& Packages() const { return FPackages; }
    // Loads and remembers it. Raises the loader's error (EWin32Error,
    // EPackageError), also for a package installed already.
    const TInstalledPackage& Install(const AnsiString& path);
    // Unloads and forgets it.
    void Remove(size_t index);
    // Installs what the settings file names; the messages of those that
    // fail (they stay remembered).
    std::vector<AnsiString> InstallRemembered();

    static AnsiString DefaultSettingsFile();

private:
    void Remember() const;

    AnsiString FSettingsFile;
    std::vector<TInstalledPackage> FPackages;
    std::vector<AnsiString> FFailed;  // remembered, not loaded this time
};
