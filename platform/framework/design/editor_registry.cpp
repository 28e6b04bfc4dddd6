#include "framework/design/editor_registry.h"

#include <climits>
#include <tuple>

#include "framework/classes/class_registry.h"
#include "framework/classes/modules.h"
#include "framework/design/stock_editors.h"

namespace {

struct PropertyEditorEntry {
    PTypeInfo Type;
    const TClassInfo* ComponentClass;  // nullptr: any
    AnsiString Name;                   // empty: any
    TPropertyEditorClass Editor;
    void* Module;                      // who registered it
};

struct ComponentEditorEntry {
    const TClassInfo* ComponentClass;
    TComponentEditorClass Editor;
    void* Module;
};

struct Registry {
    std::vector<PropertyEditorEntry> properties;
    std::vector<ComponentEditorEntry> components;
};

const void* CodeAddress(auto function) { return reinterpret_cast<const void*>(function); }

void ForgetModule(void* module);

Registry& TheRegistry() {
    static Registry registry = [] {
        Registry r;
        // The framework's own choices: fonts open the font dialog, and a
        // name is never given to several components at once. They belong
        // to the framework whichever package happens to ask first.
        void* framework = ModuleOfAddress(CodeAddress(&ForgetModule));
        r.properties.push_back(
            {&TFont::StaticClass().TypeInfo(), nullptr, "", PropertyEditorClass<TFontProperty>(), framework});
        r.properties.push_back({TypeInfoOf<AnsiString>(), &TComponent::StaticClass(), "Name",
                                PropertyEditorClass<TComponentNameProperty>(), framework});
        AddModuleUnloadProc(&ForgetModule);
        return r;
    }();
    return registry;
}

void ForgetModule(void* module) {
    auto in = [module](const void* address) { return address && ModuleOfAddress(address) == module; };
    Registry& r = TheRegistry();
    std::erase_if(r.properties, [&](const PropertyEditorEntry& e) {
        return e.Module == module || in(e.Type) || in(e.ComponentClass) || in(CodeAddress(e.Editor.Create));
    });
    std::erase_if(r.components, [&](const ComponentEditorEntry& e) {
        return e.Module == module || in(e.ComponentClass) || in(CodeAddress(e.Editor.Create));
    });
}

// Steps from cls up to ancestor; -1 when ancestor is none of cls's.
int Distance(const TClassInfo& cls, const TClassInfo& ancestor) {
    int steps = 0;
    for (const TClassInfo* c = &cls; c; c = c->Parent(), ++steps)
        if (c == &ancestor) return steps;
    return -1;
}

int TypeDistance(PTypeInfo propertyType, PTypeInfo registered) {
    if (propertyType == registered) return 0;
    if (propertyType->Kind == TTypeKind::Class && registered->Kind == TTypeKind::Class)
        return Distance(*propertyType->ClassType, *registered->ClassType);
    return -1;
}

// The editor of a property no registration covers, by the value's kind.
TPropertyEditorClass StockEditorClass(PTypeInfo type) {
    switch (type->Kind) {
    case TTypeKind::Integer: return PropertyEditorClass<TIntegerProperty>();
    case TTypeKind::Enumeration:
    case TTypeKind::Boolean: return PropertyEditorClass<TEnumProperty>();
    case TTypeKind::Set: return PropertyEditorClass<TSetProperty>();
    case TTypeKind::Float: return PropertyEditorClass<TFloatProperty>();
    case TTypeKind::String: return PropertyEditorClass<TStringProperty>();
    case TTypeKind::Color: return PropertyEditorClass<TColorProperty>();
    case TTypeKind::Method: return PropertyEditorClass<TMethodProperty>();
    case TTypeKind::Class:
        if (type->ClassType->IsComponentClass()) return PropertyEditorClass<TComponentProperty>();
        return PropertyEditorClass<TClassProperty>();
    }
    // A new value kind gets its stock editor in the switch above.
    throw EPropertyError(Format("No editor for properties of type %s", type->Name));
}

}  // namespace

void RegisterPropertyEditor(PTypeInfo propertyType, const TClassInfo* componentClass, const AnsiString& propertyName,
                            TPropertyEditorClass editorClass) {
    if (!propertyType || !editorClass) throw EPropertyError("RegisterPropertyEditor needs a type and an editor class");
    TheRegistry().properties.push_back({propertyType, componentClass, propertyName, editorClass,
                                        RegistrationModule(CodeAddress(editorClass.Create))});
}

void RegisterComponentEditor(const TClassInfo& componentClass, TComponentEditorClass editorClass) {
    if (!editorClass) throw EComponentError("RegisterComponentEditor needs an editor class");
    TheRegistry().components.push_back(
        {&componentClass, editorClass, RegistrationModule(CodeAddress(editorClass.Create))});
}

TPropertyEditorClass GetPropertyEditorClass(const TPropInfo& prop, const TClassInfo& componentClass) {
    PTypeInfo type = prop.PropType();
    const PropertyEditorEntry* best = nullptr;
    std::tuple<int, int, int> bestRank;
    for (const PropertyEditorEntry& e : TheRegistry().properties) {
        int typeDistance = TypeDistance(type, e.Type);
        if (typeDistance < 0) continue;
        int classDistance = e.ComponentClass ? Distance(componentClass, *e.ComponentClass) : INT_MAX;
        if (classDistance < 0) continue;
        if (!e.Name.empty() && !SameText(e.Name, prop.Name)) continue;
        std::tuple rank{typeDistance, classDistance, e.Name.empty() ? 1 : 0};
        // Equal ranks: the later registration wins.
        if (!best || rank <= bestRank) {
            best = &e;
            bestRank = rank;
        }
    }
    return best ? best->Editor : StockEditorClass(type);
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* component, TFormDesigner* designer) {
    const ComponentEditorEntry* best = nullptr;
    int bestDistance = 0;
    for (const ComponentEditorEntry& e : TheRegistry().components) {
        int distance = Distance(component->ClassType(), *e.ComponentClass);
        if (distance < 0) continue;
        if (!best || distance <= bestDistance) {
            best = &e;
            bestDistance = distance;
        }
    }
    TComponentEditorClass editorClass = best ? best->Editor : ComponentEditorClass<TComponentEditor>();
    return editorClass.Create(component, designer);
}
