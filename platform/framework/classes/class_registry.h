// Classes that can be made by name (form reading), and the design-time
// palette: which component classes a package put on which page. What a
// package registered goes again when it is unloaded.
#pragma once
#include <initializer_list>
#include <vector>

#include "framework/classes/object.h"

void RegisterClass(const TClassInfo& info);
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
void UnRegisterClass(const TClassInfo& info);

// Classes registered for as long as this object lives. A library that
// registers its classes as it loads (a runtime package that goes when the
// last package needing it is unloaded) keeps one as a static, so its
// classes leave the registry before its code and data are unmapped.
class TClassRegistration {
public:
    TClassRegistration(std::initializer_list<const TClassInfo*> classes);
    ~TClassRegistration();
    TClassRegistration(const TClassRegistration&) = delete;
    TClassRegistration& operator=(const TClassRegistration&) = delete;

private:
    std::vector<const TClassInfo*> FClasses;
};
// nullptr when no class of that name is registered.
const TClassInfo* GetClass(const AnsiString& name);
// Raises EClassNotFound when absent, EComponentError when the class does
// not derive from base.
const TClassInfo& FindClass(const AnsiString& name, const TClassInfo& base);

struct TPaletteEntry {
    AnsiString Page;
    const TClassInfo* Class;
    void* Module;  // the module that put it there (classes/modules.h)
};
// Puts classes on a palette page (and registers them for reading).
void RegisterComponents(const AnsiString& page, std::initializer_list<const TClassInfo*> classes);
const std::vector<TPaletteEntry>& PaletteEntries();
std::vector<const TClassInfo*> PalettePage(const AnsiString& page);
void UnRegisterPalettePage(const AnsiString& page);

// Forgets everything a module registered or that points into it: its
// classes, its palette entries and, through the procedures added below,
// the design-time editors. The package loader calls it when it unloads a
// package; objects of the module's classes must be gone by then.
void UnRegisterModuleClasses(void* module);
// Registries outside this one (the editors) forget a module's entries in
// these, called by UnRegisterModuleClasses.
using TModuleUnloadProc = void (*)(void* module);
void AddModuleUnloadProc(TModuleUnloadProc proc);
void RemoveModuleUnloadProc(TModuleUnloadProc proc);
