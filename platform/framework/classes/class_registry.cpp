#include "framework/classes/class_registry.h"

#include <algorithm>
#include <map>

#include "framework/classes/framework_classes.h"
#include "framework/classes/modules.h"

namespace {

struct Registry {
    std::map<AnsiString, const TClassInfo*> classes;  // keyed by upper-case name
    std::vector<TPaletteEntry> palette;
    std::vector<TModuleUnloadProc> unloadProcs;
};

Registry& TheRegistry() {
    static Registry registry;
    static bool seeded = false;
    if (!seeded) {
        seeded = true;
        RegisterFrameworkClasses();
    }
    return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) {
    auto& classes = TheRegistry().classes;
    AnsiString key = UpperCase(info.Name());
    auto it = classes.find(key);
    if (it != classes.end() && it->second != &info)
        throw EComponentError(Format("A class named %s is already registered", info.Name()));
    classes[key] = &info;
}

void RegisterClasses(std::initializer_list<const TClassInfo*> classes) {
    for (const TClassInfo* c : classes) RegisterClass(*c);
}

void UnRegisterClass(const TClassInfo& info) {
    auto& classes = TheRegistry().classes;
    auto it = classes.find(UpperCase(info.Name()));
    if (it != classes.end() && it->second == &info) classes.erase(it);
}

// Registering first also makes the registry before this object, so the
// registry outlives it at exit.
TClassRegistration::TClassRegistration(std::initializer_list<const TClassInfo*> classes) : FClasses(classes) {
    RegisterClasses(classes);
}

TClassRegistration::~TClassRegistration() {
    for (const TClassInfo* c : FClasses) UnRegisterClass(*c);
}

const TClassInfo* GetClass(const AnsiString& name) {
    auto& classes = TheRegistry().classes;
    auto it = classes.find(UpperCase(name));
    return it == classes.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(const AnsiString& name, const TClassInfo& base) {
    const TClassInfo* info = GetClass(name);
    if (!info) throw EClassNotFound("Class " + name + " not found");
    if (!info->InheritsFrom(base))
        throw EComponentError(Format("Class %s is not a %s", info->Name(), base.Name()));
    return *info;
}

void RegisterComponents(const AnsiString& page, std::initializer_list<const TClassInfo*> classes) {
    for (const TClassInfo* c : classes) {
        RegisterClass(*c);
        auto& palette = TheRegistry().palette;
        bool present = std::any_of(palette.begin(), palette.end(), [&](const TPaletteEntry& e) {
            return e.Class == c && e.Page == page;
        });
        if (!present) palette.push_back(TPaletteEntry{page, c, RegistrationModule(c)});
    }
}

const std::vector<TPaletteEntry>& PaletteEntries() { return TheRegistry().palette; }

std::vector<const TClassInfo*> PalettePage(const AnsiString& page) {
    std::vector<const TClassInfo*> result;
    for (const TPaletteEntry& e : TheRegistry().palette)
        if (e.Page == page) result.push_back(e.Class);
    return result;
}

void UnRegisterPalettePage(const AnsiString& page) {
    std::erase_if(TheRegistry().palette, [&](const TPaletteEntry& e) { return e.Page == page; });
}

void UnRegisterModuleClasses(void* module) {
    Registry& registry = TheRegistry();
    auto inModule = [module](const TClassInfo* c) { return c->Module() == module || ModuleOfAddress(c) == module; };
    std::erase_if(registry.classes, [&](const auto& entry) { return inModule(entry.second); });
    std::erase_if(registry.palette,
                  [&](const TPaletteEntry& e) { return e.Module == module || inModule(e.Class); });
    // A procedure may remove itself while it runs: call a copy of the list.
    std::vector<TModuleUnloadProc> procs = registry.unloadProcs;
    for (TModuleUnloadProc proc : procs) proc(module);
}

void AddModuleUnloadProc(TModuleUnloadProc proc) {
    auto& procs = TheRegistry().unloadProcs;
    if (std::find(procs.begin(), procs.end(), proc) == procs.end()) procs.push_back(proc);
}

void RemoveModuleUnloadProc(TModuleUnloadProc proc) { std::erase(TheRegistry().unloadProcs, proc); }
