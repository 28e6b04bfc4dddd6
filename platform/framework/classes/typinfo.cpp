#include "framework/classes/typinfo.h"

#include <algorithm>

#include "framework/classes/component.h"
#include "framework/classes/modules.h"
#include "framework/classes/published.h"

FRAME_DEFINE_TYPE_INFO(int, TTypeKind::Integer, "Integer")
FRAME_DEFINE_TYPE_INFO(long, TTypeKind::Integer, "Longint")
FRAME_DEFINE_TYPE_INFO(bool, TTypeKind::Boolean, "Boolean")
FRAME_DEFINE_TYPE_INFO(WordBool, TTypeKind::Boolean, "WordBool")
FRAME_DEFINE_TYPE_INFO(double, TTypeKind::Float, "Double")
FRAME_DEFINE_TYPE_INFO(AnsiString, TTypeKind::String, "AnsiString")
FRAME_DEFINE_TYPE_INFO(TNotifyEvent, TTypeKind::Method, "TNotifyEvent")
FRAME_DEFINE_TYPE_INFO(TMouseEvent, TTypeKind::Method, "TMouseEvent")
FRAME_DEFINE_TYPE_INFO(TMouseMoveEvent, TTypeKind::Method, "TMouseMoveEvent")
FRAME_DEFINE_TYPE_INFO(TKeyPressEvent, TTypeKind::Method, "TKeyPressEvent")
FRAME_DEFINE_TYPE_INFO(TDragOverEvent, TTypeKind::Method, "TDragOverEvent")
FRAME_DEFINE_TYPE_INFO(TDragDropEvent, TTypeKind::Method, "TDragDropEvent")

#define FRAME_DEFINE_RANGE_INFO(T, Name, Min, Max)                                  \
    PTypeInfo TypeInfoFor<T>::Get() {                                               \
        static const TTypeInfo info{TTypeKind::Integer, Name, {}, nullptr, Min, Max}; \
        return &info;                                                               \
    }
FRAME_DEFINE_RANGE_INFO(int8_t, "ShortInt", INT8_MIN, INT8_MAX)
FRAME_DEFINE_RANGE_INFO(uint8_t, "Byte", 0, UINT8_MAX)
FRAME_DEFINE_RANGE_INFO(int16_t, "Smallint", INT16_MIN, INT16_MAX)
FRAME_DEFINE_RANGE_INFO(uint16_t, "Word", 0, UINT16_MAX)
FRAME_DEFINE_RANGE_INFO(unsigned, "Cardinal", 0, UINT32_MAX)
FRAME_DEFINE_RANGE_INFO(int64_t, "Int64", INT64_MIN, INT64_MAX)

#define FRAME_DEFINE_FLOAT_INFO(T, Name, FloatType)                                           \
    PTypeInfo TypeInfoFor<T>::Get() {                                                         \
        static const TTypeInfo info{TTypeKind::Float, Name, {}, nullptr, 0, 0, {}, FloatType}; \
        return &info;                                                                         \
    }
FRAME_DEFINE_FLOAT_INFO(float, "Single", TFloatType::Single)
FRAME_DEFINE_FLOAT_INFO(TDateTime, "TDateTime", TFloatType::Double)
FRAME_DEFINE_FLOAT_INFO(Currency, "Currency", TFloatType::Currency)

void CheckOrdinalValue(PTypeInfo type, int64_t value) {
    int64_t count = static_cast<int64_t>(type->EnumNames.size());
    bool fits = true;
    switch (type->Kind) {
    case TTypeKind::Integer: fits = value >= type->MinValue && value <= type->MaxValue; break;
    case TTypeKind::Enumeration: fits = value >= 0 && value < count; break;
    case TTypeKind::Set: fits = value >= 0 && (count >= 63 || value < (int64_t(1) << count)); break;
    default: break;
    }
    if (!fits) throw EPropertyError(Format("%d is not a valid %s value", value, type->Name));
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

const std::vector<const TPropInfo*>& TClassInfo::Properties() const {
    if (FPropertiesListed) return FPropertyList;
    std::vector<const TPropInfo*> list = FParent ? FParent->Properties() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& p : FProperties) {
        auto it = std::find_if(list.begin(), list.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
        if (p.Published) {
            if (it != list.end()) *it = &p;
            else list.push_back(&p);
        } else if (it != list.end()) {
            list.erase(it);
        }
    }
    FPropertyList = std::move(list);
    FPropertiesListed = true;
    return FPropertyList;
}

const TPropInfo* TClassInfo::FindDeclaredProperty(const AnsiString& name) const {
    // The nearest declaration decides, so a hidden property stays hidden
    // in descendants until one of them publishes it again.
    for (const TClassInfo* c = this; c; c = c->FParent)
        for (auto p = c->FProperties.rbegin(); p != c->FProperties.rend(); ++p)
            if (SameText(p->Name, name)) return &*p;
    return nullptr;
}

const TPropInfo* TClassInfo::FindProperty(const AnsiString& name) const {
    const TPropInfo* p = FindDeclaredProperty(name);
    return p && p->Published ? p : nullptr;
}

std::vector<const TMethodInfo*> TClassInfo::Methods() const {
    std::vector<const TMethodInfo*> result;
    if (FParent) result = FParent->Methods();
    for (const TMethodInfo& m : FMethods) result.push_back(&m);
    return result;
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

namespace {

template <class T>
T ValueAs(const TPropValue& v, const AnsiString& name, const char* kind) {
    if (auto p = std::get_if<T>(&v)) return *p;
    throw EPropertyError("Property " + name + " is not " + kind);
}

}  // namespace

int64_t GetOrdProp(const TObject* instance, const AnsiString& name) {
    return ValueAs<int64_t>(GetPropValue(instance, name), name, "ordinal");
}

void SetOrdProp(TObject* instance, const AnsiString& name, int64_t value) {
    SetPropValue(instance, name, TPropValue(value));
}

double GetFloatProp(const TObject* instance, const AnsiString& name) {
    TPropValue v = GetPropValue(instance, name);
    if (auto p = std::get_if<Currency>(&v)) return p->ToDouble();
    return ValueAs<double>(v, name, "a floating-point property");
}

void SetFloatProp(TObject* instance, const AnsiString& name, double value) {
    SetPropValue(instance, name, TPropValue(value));
}

Currency GetCurrProp(const TObject* instance, const AnsiString& name) {
    return ValueAs<Currency>(GetPropValue(instance, name), name, "a Currency property");
}

AnsiString GetStrProp(const TObject* instance, const AnsiString& name) {
    return ValueAs<AnsiString>(GetPropValue(instance, name), name, "a string property");
}

void SetStrProp(TObject* instance, const AnsiString& name, const AnsiString& value) {
    SetPropValue(instance, name, TPropValue(value));
}

void ThrowPublishingError(const TClassInfo& info, const AnsiString& property, const char* what) {
    throw EPropertyError(Format("%s.%s %s", info.Name(), property, what));
}

namespace published_detail {
void BadValue(const char* expected) { throw EPropertyError(Format("Invalid property value: expected %s", expected)); }

void CheckClass(TObject* object, const TClassInfo& expected) {
    if (object && !object->InheritsFrom(expected))
        throw EPropertyError(Format("%s is not a %s", object->ClassName(), expected.Name()));
}
}  // namespace published_detail
