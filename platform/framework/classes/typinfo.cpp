#include "framework/classes/typinfo.h"

#include <windows.h>

#include "framework/classes/component.h"
#include "framework/classes/published.h"

FRAME_DEFINE_TYPE_INFO(int, TTypeKind::Integer, "Integer")
FRAME_DEFINE_TYPE_INFO(unsigned, TTypeKind::Integer, "Cardinal")
FRAME_DEFINE_TYPE_INFO(bool, TTypeKind::Boolean, "Boolean")
FRAME_DEFINE_TYPE_INFO(double, TTypeKind::Float, "Double")
FRAME_DEFINE_TYPE_INFO(AnsiString, TTypeKind::String, "AnsiString")
FRAME_DEFINE_TYPE_INFO(TNotifyEvent, TTypeKind::Method, "TNotifyEvent")
FRAME_DEFINE_TYPE_INFO(TMouseEvent, TTypeKind::Method, "TMouseEvent")
FRAME_DEFINE_TYPE_INFO(TMouseMoveEvent, TTypeKind::Method, "TMouseMoveEvent")
FRAME_DEFINE_TYPE_INFO(TKeyPressEvent, TTypeKind::Method, "TKeyPressEvent")
FRAME_DEFINE_TYPE_INFO(TDragOverEvent, TTypeKind::Method, "TDragOverEvent")
FRAME_DEFINE_TYPE_INFO(TDragDropEvent, TTypeKind::Method, "TDragDropEvent")

PTypeInfo TypeInfoFor<int64_t>::Get() {
    static const TTypeInfo info{TTypeKind::Integer, "Int64", {}, nullptr, INT64_MIN, INT64_MAX};
    return &info;
}

AnsiString GetEnumName(PTypeInfo type, int64_t value) {
    if (type->Kind == TTypeKind::Boolean) return value ? "true" : "false";
    if (value < 0 || value >= static_cast<int64_t>(type->EnumNames.size())) return IntToStr(value);
    return type->EnumNames[static_cast<size_t>(value)];
}

int64_t GetEnumValue(PTypeInfo type, const AnsiString& name) {
    if (type->Kind == TTypeKind::Boolean) {
        if (name == "true") return 1;
        if (name == "false") return 0;
        return -1;
    }
    for (size_t i = 0; i < type->EnumNames.size(); ++i)
        if (name == type->EnumNames[i]) return static_cast<int64_t>(i);
    return -1;
}

bool IdentToInt(PTypeInfo type, const AnsiString& ident, int64_t& value) {
    for (auto& [name, v] : type->Idents)
        if (SameText(ident, name)) {
            value = v;
            return true;
        }
    return false;
}

const char* IntToIdent(PTypeInfo type, int64_t value) {
    for (auto& [name, v] : type->Idents)
        if (v == value) return name;
    return nullptr;
}

static void* ModuleOfAddress(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}

TClassInfo::TClassInfo(const char* name, const TClassInfo* parent, Constructor construct)
    : FName(name), FParent(parent), FConstruct(construct),
      FModule(ModuleOfAddress(construct ? reinterpret_cast<const void*>(construct) : name)),
      FTypeInfo{TTypeKind::Class, name, {}, nullptr} {
    FTypeInfo.ClassType = this;
}

TClassInfo::TClassInfo(const TClassInfo& other)
    : FName(other.FName), FParent(other.FParent), FConstruct(other.FConstruct), FModule(other.FModule),
      FTypeInfo(other.FTypeInfo), FProperties(other.FProperties), FMethods(other.FMethods),
      FComponentFields(other.FComponentFields) {
    FTypeInfo.ClassType = this;
}

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (c == &ancestor) return true;
    return false;
}

bool TClassInfo::IsComponentClass() const { return InheritsFrom(TComponent::StaticClass()); }

TComponent* TClassInfo::Create(TComponent* owner, const std::function<void(TComponent*)>& constructed) const {
    if (!FConstruct) throw EComponentError(Format("Cannot create an instance of %s by name", FName));
    TComponent* instance = FConstruct(owner);
    try {
        if (constructed) constructed(instance);
        instance->AfterConstruction();
    } catch (...) {
        delete instance;
        throw;
    }
    return instance;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TPropInfo*> result;
    if (FParent) result = FParent->Properties();
    for (const TPropInfo& p : FProperties) {
        bool replaced = false;
        for (auto& existing : result) {
            if (existing->Name == p.Name) {
                existing = &p;
                replaced = true;
                break;
            }
        }
        if (!replaced) result.push_back(&p);
    }
    return result;
}

const TPropInfo* TClassInfo::FindProperty(const AnsiString& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TPropInfo& p : c->FProperties)
            if (SameText(p.Name, name)) return &p;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const AnsiString& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TMethodInfo& m : c->FMethods)
            if (SameText(m.Name, name)) return &m;
    return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const TMethod& method) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TMethodInfo& m : c->FMethods)
            if (m.Code == method.Code) return &m;
    return nullptr;
}

const TComponentFieldInfo* TClassInfo::FindComponentField(const AnsiString& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (const TComponentFieldInfo& f : c->FComponentFields)
            if (SameText(f.Name, name)) return &f;
    return nullptr;
}

static const TPropInfo& RequireProperty(const TObject* instance, const AnsiString& name) {
    const TPropInfo* p = instance->ClassType().FindProperty(name);
    if (!p) throw EPropertyError(Format("%s has no property %s", instance->ClassName().c_str(), name.c_str()));
    return *p;
}

TPropValue GetPropValue(const TObject* instance, const AnsiString& name) {
    return RequireProperty(instance, name).Get(instance);
}

void SetPropValue(TObject* instance, const AnsiString& name, const TPropValue& value) {
    const TPropInfo& p = RequireProperty(instance, name);
    if (!p.Set) throw EPropertyError("Property " + name + " is read-only");
    p.Set(instance, value);
}

int64_t GetOrdProp(const TObject* instance, const AnsiString& name) {
    TPropValue v = GetPropValue(instance, name);
    if (auto p = std::get_if<int64_t>(&v)) return *p;
    throw EPropertyError("Property " + name + " is not ordinal");
}

void SetOrdProp(TObject* instance, const AnsiString& name, int64_t value) {
    SetPropValue(instance, name, TPropValue(value));
}

namespace published_detail {
void BadValue(const char* expected) { throw EPropertyError(Format("Invalid property value: expected %s", expected)); }
}  // namespace published_detail
