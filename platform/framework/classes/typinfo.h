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
// How a Float value is held: TDateTime is a Double of its own name;
// Currency travels exactly, as the Currency it is.
enum class TFloatType : uint8_t { Single, Double, Currency };

// One record per type in the whole process (TypeInfoOf<T>() gives the
// same pointer every time), so type information can be compared by
// address.
struct TTypeInfo {
    TTypeKind Kind;
    const char* Name;
    std::vector<const char*> EnumNames;   // Enumeration values; Set element names
    const TClassInfo* ClassType = nullptr;  // Class: the declared class
    // Integer: the range of the C++ type (Smallint, Word, Int64...).
    int64_t MinValue = INT32_MIN;
    int64_t MaxValue = INT32_MAX;
    // Named constants of an integer or colour type (crCross, clWhite,
    // DEFAULT_CHARSET): read by name and written by name when one fits.
    std::vector<std::pair<const char*, int64_t>> Idents = {};
    TFloatType FloatType = TFloatType::Double;
};
using PTypeInfo = const TTypeInfo*;

// Enumeration names both ways; GetEnumValue answers -1 for an unknown name.
AnsiString GetEnumName(PTypeInfo type, int64_t value);
int64_t GetEnumValue(PTypeInfo type, const AnsiString& name);
// Named constants: false / nullptr when there is none.
bool IdentToInt(PTypeInfo type, const AnsiString& ident, int64_t& value);
const char* IntToIdent(PTypeInfo type, int64_t value);

// Raises EPropertyError when an ordinal value does not fit the type
// (out of an integer type's range, no such enumeration value or set
// element).
void CheckOrdinalValue(PTypeInfo type, int64_t value);

// A property's value in transit between an object and a stream.
// Ordinal kinds (integer, enumeration, set, boolean, colour) travel as
// int64_t; Single, Double and TDateTime as double; Currency as itself;
// classes as the object; events as the bound method.
using TPropValue = std::variant<int64_t, double, AnsiString, TObject*, TMethod, Currency>;

struct TPropInfo {
    static constexpr int NoIndex = INT32_MIN;

    AnsiString Name;
    // Looked up when first needed: a class may publish a property that
    // points at its own class while its class information is being built.
    PTypeInfo (*PropTypeOf)() = nullptr;
    PTypeInfo PropType() const { return PropTypeOf(); }
    std::function<TPropValue(const TObject*)> Get;
    std::function<void(TObject*, const TPropValue&)> Set;   // empty: read-only
    // The index an indexed accessor pair is called with (Get and Set pass
    // it already); NoIndex for plain accessors.
    int Index = NoIndex;
    // The stream default: a value equal to it is not written. Ordinal
    // kinds compare with Default; the others with zero, the empty
    // string, no object and no handler. HasDefault false: always written.
    bool HasDefault = true;
    int64_t Default = 0;
    std::function<bool(const TObject*)> Stored;  // empty: stored
    bool IsStored(const TObject* instance) const { return !Stored || Stored(instance); }
    // False: declared for descendants to publish, or hidden from an
    // ancestor's published ones.
    bool Published = true;
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
    std::function<TComponent*(const TObject*)> Value;
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

    // Published properties, inherited ones first, each in the place where
    // it was first published: a class that publishes an inherited property
    // again (unchanged or with new accessors or default) keeps its place;
    // one it hides is left out; one an ancestor only declared comes in the
    // order this class publishes it. The same list every time.
    const std::vector<const TPropInfo*>& Properties() const;
    // A published property (nullptr when absent or hidden).
    const TPropInfo* FindProperty(const AnsiString& name) const;
    // Any declared property, published or not: what Publish finds.
    const TPropInfo* FindDeclaredProperty(const AnsiString& name) const;
    // Published methods, inherited ones first.
    std::vector<const TMethodInfo*> Methods() const;
    const TMethodInfo* FindMethod(const AnsiString& name) const;
    const TMethodInfo* FindMethod(const TMethod& method) const;
    const TComponentFieldInfo* FindComponentField(const AnsiString& name) const;

    // For TClassBuilder only.
    void AddProperty(TPropInfo info) { FProperties.push_back(std::move(info)); }
    void AddMethod(TMethodInfo info) { FMethods.push_back(std::move(info)); }
    void AddComponentField(TComponentFieldInfo info) { FComponentFields.push_back(std::move(info)); }
    TPropInfo& LastProperty() { return FProperties.back(); }
    bool HasProperties() const { return !FProperties.empty(); }
    AnsiString LastPropertyName() const { return FProperties.empty() ? "" : FProperties.back().Name; }

private:
    const char* FName;
    const TClassInfo* FParent;
    Constructor FConstruct;
    void* FModule;
    TTypeInfo FTypeInfo;
    std::vector<TPropInfo> FProperties;
    mutable std::vector<const TPropInfo*> FPropertyList;
    mutable bool FPropertiesListed = false;
    std::vector<TMethodInfo> FMethods;
    std::vector<TComponentFieldInfo> FComponentFields;
};

// A class described wrongly (an index missing, an inherited property that
// is not there): EPropertyError naming the class and the property.
[[noreturn]] void ThrowPublishingError(const TClassInfo& info, const AnsiString& property, const char* what);

// Reads and writes published properties by name (raises EPropertyError).
TPropValue GetPropValue(const TObject* instance, const AnsiString& name);
void SetPropValue(TObject* instance, const AnsiString& name, const TPropValue& value);
// By kind, for editors and tests: ordinal kinds; Single, Double,
// TDateTime and Currency as double (Currency exactly through
// GetCurrProp); strings.
int64_t GetOrdProp(const TObject* instance, const AnsiString& name);
void SetOrdProp(TObject* instance, const AnsiString& name, int64_t value);
double GetFloatProp(const TObject* instance, const AnsiString& name);
void SetFloatProp(TObject* instance, const AnsiString& name, double value);
Currency GetCurrProp(const TObject* instance, const AnsiString& name);
AnsiString GetStrProp(const TObject* instance, const AnsiString& name);
void SetStrProp(TObject* instance, const AnsiString& name, const AnsiString& value);
