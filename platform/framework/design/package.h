// Framework packages: DLLs linked against the runtime package that carry
// components and their design-time editors, loaded at run time by a form
// designer (or a program).
//
// A package is made of units, listed in a unit table in the order their
// initializations run. It exports two plain-named entry points,
// Initialize and Finalize, which hand the table to InitializePackage and
// FinalizePackage, and, for each unit that registers something, a
// registration function named "Register_" followed by the unit's name
// (Register_Clock1 for unit Clock1). The loader finds these by name in
// that order, so the palette fills in unit order. An optional RCDATA
// resource named DESCRIPTION holds the package's description as UTF-16
// text. Written out:
//
//   namespace Clock1 { void Register(); }   // RegisterComponents(...) etc.
//   static const TPackageUnit units[] = {{"Types"}, {"Clock1"}};
//   static const TPackageInfo package{units};
//   FRAME_PACKAGE(package)                   // Initialize and Finalize
//   FRAME_PACKAGE_REGISTER(Clock1)           // Register_Clock1
#pragma once
#include <windows.h>

#include <cstdint>
#include <span>

#include "framework/system/sysutils.h"

FRAME_EXCEPTION(EPackageError, Exception);

struct TPackageUnit {
    const char* Name;
    void (*Initialization)() = nullptr;
    void (*Finalization)() = nullptr;
};

enum TPackageFlag : uint8_t { pfDesignOnly = 1, pfRunOnly = 2 };

struct TPackageInfo {
    std::span<const TPackageUnit> Units;
    uint8_t Flags = 0;  // TPackageFlag bits; 0: for designers and programs alike
};

// For a package's Initialize and Finalize: run the units' initializations
// in table order (a failing one undoes those before it) and their
// finalizations in reverse order. A second Initialize does nothing.
void InitializePackage(const TPackageInfo& info);
void FinalizePackage(const TPackageInfo& info);

// Loads the DLL, runs Initialize, then each unit's registration function;
// what they register belongs to the package. Raises EWin32Error when the
// DLL cannot be loaded and EPackageError when it is no package, is loaded
// already, or its initialization or registration fails (which leaves
// nothing of it behind).
HMODULE LoadPackage(const AnsiString& path);
// Runs Finalize, forgets everything the package registered
// (UnRegisterModuleClasses) and unloads the DLL. Free every object of its
// classes, and every editor it made, first.
void UnloadPackage(HMODULE module);
// The unit table a package's Initialize handed over; nullptr before.
const TPackageInfo* GetPackageInfo(HMODULE module);
// The exported name of a unit's registration function.
AnsiString PackageRegisterName(const AnsiString& unit);
// The DESCRIPTION resource of a package file, without running any of its
// code; "" when it has none.
AnsiString GetPackageDescription(const AnsiString& path);

#define FRAME_PACKAGE(info)                                                             \
    extern "C" __declspec(dllexport) void Initialize() { InitializePackage(info); }     \
    extern "C" __declspec(dllexport) void Finalize() { FinalizePackage(info); }

#define FRAME_PACKAGE_REGISTER(Unit) \
    extern "C" __declspec(dllexport) void Register_##Unit() { Unit::Register(); }
