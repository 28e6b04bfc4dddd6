// Type information and published properties: what the form reader and
// writer (and later the form designer's property editors) know of a class.
// A class describes itself once, in a TClassInfo built by TClassBuilder
// (classes/published.h); nothing here knows any concrete class.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "framework/classes/events.h"
#include "framework/system/sysutils.h"

class TClassInfo;
class TComponent;
class TPersistent;

enum class TTypeKind { Integer, Enumeration, Set, Float, String, Boolean, Class, Method, Color };

struct TTypeInfo {
    TTypeKind Kind;
    const char* Name;
    std::vector<const char*> EnumNames;   // Enumeration values; Set element names
    const TClassInfo* ClassType = nullptr;  // Class: the declared class
    int64_t MinValue = INT32_MIN;
    int64_t MaxValue = INT32_MAX;
    // Named constants of an integer or colour type (crCross, clWhite,
    // DEFAULT_CHARSET): read by name and written by name when one fits.
    std::vector<std::pair<const char*, int64_t>> Idents = {};
};
using PTypeInfo = const TTypeInfo*;

// Enumeration names both ways; GetEnumValue answers -1 for an unknown name.
AnsiString GetEnumName(PTypeInfo type, int64_t value);
int64_t GetEnumValue(PTypeInfo type, const AnsiString& name);
// Named constants: false / nullptr when there is none.
bool IdentToInt(PTypeInfo type, const AnsiString& ident, int64_t& value);
const char* IntToIdent(PTypeInfo type, int64_t value);

// A property's value in transit between an object and a stream.
// Ordinal kinds (integer, enumeration, set, boolean, colour) travel as
// int64_t; classes as the object; events as the bound method.
using TPropValue = std::variant<int64_t, double, AnsiString, TObject*, TMethod>;

struct TPropInfo {
    AnsiString Name;
    // Looked up when first needed: a class may publish a property that
    // points at its own class while its class information is being built.
    PTypeInfo (*PropTypeOf)() = nullptr;
    PTypeInfo PropType() const { return PropTypeOf(); }
    std::function<TPropValue(const TObject*)> Get;
    std::function<void(TObject*, const TPropValue&)> Set;   // empty: read-only
    bool HasDefault = false;       // ordinal default: a value equal to it is not written
    int64_t Default = 0;
    std::function<bool(const TObject*)> Stored;  // empty: stored
    bool IsStored(const TObject* instance) const { return !Stored || Stored(instance); }
};

// A published method: a possible target for an event read from a form.
struct TMethodInfo {
    AnsiString Name;
    PTypeInfo Signature;   // the event type it can be bound to
    TMethodCode Code;
};

// A published component field (a form's Button1): set by the form reader
// to the component of the same name.
struct TComponentFieldInfo {
    AnsiString Name;
    const TClassInfo& (*FieldClass)();
    std::function<void(TObject*, TComponent*)> Assign;
};

class TClassInfo {
public:
    using Constructor = TComponent* (*)(TComponent* owner);

    TClassInfo(const char* name, const TClassInfo* parent, Constructor construct);
    // Copies keep their type information pointing at themselves.
    TClassInfo(const TClassInfo& other);
    TClassInfo& operator=(const TClassInfo&) = delete;

    const char* Name() const { return FName; }
    // The type information of a property holding a pointer to this class.
    const TTypeInfo& TypeInfo() const { return FTypeInfo; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo& ancestor) const;
    bool IsComponentClass() const;
    // The module (exe or dll) whose code defines the class: where its form
    // resource is looked for first.
    void* Module() const { return FModule; }

    // Makes a component of this class: the constructor, then its
    // AfterConstruction (a form reads its resource there). Raises
    // EComponentError for a class that cannot be made by name.
    // constructed (if given) sees the component between the two steps.
    TComponent* Create(TComponent* owner, const std::function<void(TComponent*)>& constructed = {}) const;
    bool CanCreate() const { return FConstruct != nullptr; }

    // Published properties, inherited ones first, in order of publication.
    // A class that republishes a property replaces its description in place.
    std::vector<const TPropInfo*> Properties() const;
    const TPropInfo* FindProperty(const AnsiString& name) const;
    const TMethodInfo* FindMethod(const AnsiString& name) const;
    const TMethodInfo* FindMethod(const TMethod& method) const;
    const TComponentFieldInfo* FindComponentField(const AnsiString& name) const;

    // For TClassBuilder only.
    void AddProperty(TPropInfo info) { FProperties.push_back(std::move(info)); }
    void AddMethod(TMethodInfo info) { FMethods.push_back(std::move(info)); }
    void AddComponentField(TComponentFieldInfo info) { FComponentFields.push_back(std::move(info)); }
    TPropInfo& LastProperty() { return FProperties.back(); }

private:
    const char* FName;
    const TClassInfo* FParent;
    Constructor FConstruct;
    void* FModule;
    TTypeInfo FTypeInfo;
    std::vector<TPropInfo> FProperties;
    std::vector<TMethodInfo> FMethods;
    std::vector<TComponentFieldInfo> FComponentFields;
};

// Reads and writes published properties by name (raises EPropertyError).
TPropValue GetPropValue(const TObject* instance, const AnsiString& name);
void SetPropValue(TObject* instance, const AnsiString& name, const TPropValue& value);
// Ordinal properties, for tests and editors.
int64_t GetOrdProp(const TObject* instance, const AnsiString& name);
void SetOrdProp(TObject* instance, const AnsiString& name, int64_t value);
