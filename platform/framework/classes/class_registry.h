// Classes that can be made by name (form reading), and the design-time
// palette: which component classes a package put on which page.
#pragma once
#include <initializer_list>
#include <vector>

#include "framework/classes/object.h"

void RegisterClass(const TClassInfo& info);
void RegisterClasses(std::initializer_list<const TClassInfo*> classes);
void UnRegisterClass(const TClassInfo& info);
// nullptr when no class of that name is registered.
const TClassInfo* GetClass(const AnsiString& name);
// Raises EClassNotFound when absent, EComponentError when the class does
// not derive from base.
const TClassInfo& FindClass(const AnsiString& name, const TClassInfo& base);

struct TPaletteEntry {
    AnsiString Page;
    const TClassInfo* Class;
};
// Puts classes on a palette page (and registers them for reading).
void RegisterComponents(const AnsiString& page, std::initializer_list<const TClassInfo*> classes);
const std::vector<TPaletteEntry>& PaletteEntries();
std::vector<const TClassInfo*> PalettePage(const AnsiString& page);
void UnRegisterPalettePage(const AnsiString& page);
