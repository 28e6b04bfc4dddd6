// Declaring a class's published interface, once, in its .cpp:
//
//   const TClassInfo& TWingedMonster::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TWingedMonster>::Creatable(
//           "TWingedMonster", TImage::StaticClass(), [](auto& c) {
//               c.Property("HorizontalTravel", &TWingedMonster::FHorizontalTravel);  // a field
//               c.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true);
//               c.Property("Min", &TProxy::GetIntegerProp, &TProxy::SetIntegerProp).Index(5);
//               c.Property("Text", [](const TThing& t) { return t.Describe(); });  // read-only
//               c.Publish("Align");            // an inherited property, published again unchanged
//               c.Hide("OnDragOver");          // an inherited one this class does not publish
//               c.Method("FormClick", &TGameForm::FormClick);     // forms: handlers
//               c.Component("Timer1", &TGameForm::Timer1);        // forms: component fields
//           });
//       return info;
//   }
//
// Accessors are member functions, plain functions or lambdas: a getter
// takes the object (const C&), a setter the object (C&) and the value;
// an indexed pair takes the index (int) after the object, and the
// property names its index with Index(n). The type of each property comes
// from the value's C++ type through TypeInfoOf<T>() (classes/type_infos.h).
// Modifiers apply to the property declared last: Default(n) / NoDefault()
// (the stream default: 0, empty or nothing unless given), Stored(false)
// or Stored(&C::IsXStored), Index(n), Unpublished() (declared for
// descendants to publish).
#pragma once
#include <functional>
#include <type_traits>

#include "framework/classes/object.h"
#include "framework/classes/type_infos.h"

class TComponent;

namespace published_detail {

template <class T>
TPropValue ToValue(const T& v) {
    if constexpr (std::is_same_v<T, AnsiString> || std::is_same_v<T, Currency>) {
        return TPropValue(v);
    } else if constexpr (std::is_same_v<T, TDateTime>) {
        return TPropValue(v.Val);
    } else if constexpr (std::is_same_v<T, WordBool>) {
        return TPropValue(static_cast<int64_t>(static_cast<bool>(v)));
    } else if constexpr (std::is_floating_point_v<T>) {
        return TPropValue(static_cast<double>(v));
    } else if constexpr (std::is_pointer_v<T>) {
        return TPropValue(static_cast<TObject*>(const_cast<std::remove_const_t<std::remove_pointer_t<T>>*>(v)));
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        return TPropValue(static_cast<int64_t>(v));
    } else {
        return TPropValue(v.Method());  // events
    }
}

[[noreturn]] void BadValue(const char* expected);
void CheckClass(TObject* object, const TClassInfo& expected);

template <class T>
T FromValue(const TPropValue& v) {
    if constexpr (std::is_same_v<T, AnsiString>) {
        if (auto p = std::get_if<AnsiString>(&v)) return *p;
        BadValue("a string");
    } else if constexpr (std::is_same_v<T, Currency>) {
        if (auto p = std::get_if<Currency>(&v)) return *p;
        if (auto p = std::get_if<double>(&v)) return Currency(*p);
        if (auto p = std::get_if<int64_t>(&v)) return Currency(*p);
        BadValue("an amount of money");
    } else if constexpr (std::is_floating_point_v<T> || std::is_same_v<T, TDateTime>) {
        if (auto p = std::get_if<double>(&v)) return T(static_cast<double>(*p));
        if (auto p = std::get_if<int64_t>(&v)) return T(static_cast<double>(*p));
        if (auto p = std::get_if<Currency>(&v)) return T(p->ToDouble());
        BadValue("a number");
    } else if constexpr (std::is_same_v<T, WordBool>) {
        if (auto p = std::get_if<int64_t>(&v)) return WordBool(*p != 0);
        BadValue("a truth value");
    } else if constexpr (std::is_pointer_v<T>) {
        using Class = std::remove_pointer_t<T>;
        auto p = std::get_if<TObject*>(&v);
        if (!p) BadValue("an object");
        CheckClass(*p, Class::StaticClass());
        return static_cast<T>(*p);
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        auto p = std::get_if<int64_t>(&v);
        if (!p) BadValue("an ordinal value");
        if constexpr (std::is_same_v<T, bool>) return *p != 0;
        CheckOrdinalValue(TypeInfoOf<T>(), *p);
        return static_cast<T>(*p);
    } else {
        if (auto p = std::get_if<TMethod>(&v)) return T::FromMethod(*p);
        BadValue("a method");
    }
}

template <class T>
using Bare = std::remove_cv_t<std::remove_reference_t<T>>;

template <class T>
constexpr bool IsMemberData = std::is_member_object_pointer_v<T>;

// What an accessor is called with: const C& or C& (for a getter that is
// not const), then the index when there is one.
template <class C, class G, class... Index>
constexpr bool GetsConst = std::is_invocable_v<const G&, const C&, Index...>;
template <class C, class G, class... Index>
constexpr bool Gets = GetsConst<C, G, Index...> || std::is_invocable_v<const G&, C&, Index...>;

template <class C, class G, class... Index>
decltype(auto) CallGetter(const G& get, const TObject* o, Index... index) {
    const C& object = *static_cast<const C*>(o);
    if constexpr (GetsConst<C, G, Index...>) return std::invoke(get, object, index...);
    else return std::invoke(get, const_cast<C&>(object), index...);
}

template <class C, class G, class... Index>
auto ValueTypeOf() {
    if constexpr (GetsConst<C, G, Index...>)
        return std::type_identity<Bare<std::invoke_result_t<const G&, const C&, Index...>>>{};
    else
        return std::type_identity<Bare<std::invoke_result_t<const G&, C&, Index...>>>{};
}

}  // namespace published_detail

template <class C>
class TClassBuilder {
public:
    using Setup = void (*)(TClassBuilder<C>&);

    // A component class made by name through its owner constructor.
    static TClassInfo Creatable(const char* name, const TClassInfo& parent, Setup setup = nullptr) {
        TClassInfo info(name, &parent, [](TComponent* owner) -> TComponent* { return new C(owner); });
        Build(info, setup);
        return info;
    }
    // Any other class: described, but not made by name.
    static TClassInfo Abstract(const char* name, const TClassInfo& parent, Setup setup = nullptr) {
        TClassInfo info(name, &parent, nullptr);
        Build(info, setup);
        return info;
    }

    // A property that reads and writes the field directly.
    template <class T, class B>
        requires(!std::is_function_v<T>)
    TClassBuilder& Property(const char* name, T B::*field) {
        using namespace published_detail;
        return Add<T>(name, [field](const TObject* o) { return ToValue<T>(static_cast<const C*>(o)->*field); },
                      [field](TObject* o, const TPropValue& v) { static_cast<C*>(o)->*field = FromValue<T>(v); });
    }

    // A property read by get and written by set (none: read-only). Member
    // functions are named by signature so that an overloaded getter
    // resolves; plain functions and lambdas take the object first.
    template <class G, class B, class S = std::nullptr_t>
    TClassBuilder& Property(const char* name, G (B::*get)() const, S set = nullptr) {
        return Accessors(name, get, set);
    }
    template <class G, class B, class S>
    TClassBuilder& Property(const char* name, G (B::*get)(int) const, S set) {
        return Accessors(name, get, set);
    }
    template <class G, class B, class S>
    TClassBuilder& Property(const char* name, G (B::*get)(int), S set) {
        return Accessors(name, get, set);
    }
    template <class G, class S = std::nullptr_t>
        requires(!std::is_member_pointer_v<G>)
    TClassBuilder& Property(const char* name, G get, S set = nullptr) {
        return Accessors(name, get, set);
    }

    // An inherited property (published, declared or hidden by an
    // ancestor), published by this class unchanged, in this place.
    TClassBuilder& Publish(const char* name) {
        TPropInfo p = Inherited(name, false);
        p.Published = true;
        return Declare(std::move(p));
    }
    // An inherited published property this class and its descendants do
    // not publish (until one of them publishes it again).
    TClassBuilder& Hide(const char* name) {
        TPropInfo p = Inherited(name, true);
        p.Published = false;
        return Declare(std::move(p));
    }

    TClassBuilder& Index(int index) {
        if (!FBindIndex) Refuse("has no indexed accessors");
        FBindIndex(Last(), index);
        FBindIndex = nullptr;
        return *this;
    }
    TClassBuilder& Default(int64_t value) {
        Last().HasDefault = true;
        Last().Default = value;
        return *this;
    }
    TClassBuilder& NoDefault() {
        Last().HasDefault = false;
        return *this;
    }
    TClassBuilder& Stored(bool stored) {
        Last().Stored = stored ? std::function<bool(const TObject*)>() : [](const TObject*) { return false; };
        return *this;
    }
    TClassBuilder& Stored(bool (C::*stored)() const) {
        Last().Stored = [stored](const TObject* o) { return (static_cast<const C*>(o)->*stored)(); };
        return *this;
    }
    TClassBuilder& Unpublished() {
        Last().Published = false;
        return *this;
    }

    // A published handler: a form's method that events read from its
    // resource can name.
    template <class B, class... Args>
    TClassBuilder& Method(const char* name, void (B::*method)(Args...)) {
        using Event = TEvent<Args...>;
        auto code = std::bit_cast<TMethodCode>(static_cast<typename Event::Signature>(method));
        FInfo.AddMethod(TMethodInfo{name, TypeInfoOf<Event>(), code});
        return *this;
    }

    // A published component field: set by the reader to the component of
    // that name.
    template <class T, class B>
    TClassBuilder& Component(const char* name, T* B::*field) {
        FInfo.AddComponentField(TComponentFieldInfo{
            name, &T::StaticClass, [field](TObject* o, TComponent* v) { static_cast<C*>(o)->*field = static_cast<T*>(v); },
            [field](const TObject* o) -> TComponent* { return static_cast<const C*>(o)->*field; }});
        return *this;
    }

private:
    explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}

    static void Build(TClassInfo& info, Setup setup) {
        TClassBuilder b(info);
        if (setup) setup(b);
        b.RequireIndex();
    }

    [[noreturn]] void Refuse(const char* what) const {
        ThrowPublishingError(FInfo, FInfo.LastPropertyName(), what);
    }

    void RequireIndex() const {
        if (FBindIndex) Refuse("needs Index(n) for its indexed accessors");
    }

    TPropInfo& Last() {
        if (!FInfo.HasProperties()) ThrowPublishingError(FInfo, "", "a modifier comes before any property");
        return FInfo.LastProperty();
    }

    TPropInfo Inherited(const char* name, bool mustBePublished) const {
        const TClassInfo* parent = FInfo.Parent();
        const TPropInfo* p = parent ? (mustBePublished ? parent->FindProperty(name) : parent->FindDeclaredProperty(name))
                                    : nullptr;
        if (!p) ThrowPublishingError(FInfo, name, "is not an inherited property");
        return *p;
    }

    TClassBuilder& Declare(TPropInfo p) {
        RequireIndex();
        FInfo.AddProperty(std::move(p));
        return *this;
    }

    template <class T, class Get, class Set>
    TClassBuilder& Add(const char* name, Get get, Set set) {
        TPropInfo p;
        p.Name = name;
        p.PropTypeOf = &TypeInfoOf<T>;
        p.Get = std::move(get);
        p.Set = std::move(set);
        return Declare(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Accessors(const char* name, G get, S set) {
        using namespace published_detail;
        if constexpr (Gets<C, G>) {
            using T = typename decltype(ValueTypeOf<C, G>())::type;
            std::function<void(TObject*, const TPropValue&)> setter;
            if constexpr (!std::is_same_v<S, std::nullptr_t>) {
                static_assert(std::is_invocable_v<const S&, C&, T>, "the setter must take the object and the value");
                setter = [set](TObject* o, const TPropValue& v) { std::invoke(set, *static_cast<C*>(o), FromValue<T>(v)); };
            }
            return Add<T>(name, [get](const TObject* o) { return ToValue<T>(CallGetter<C>(get, o)); }, setter);
        } else {
            static_assert(Gets<C, G, int>, "a getter takes the object, or the object and an index");
            using T = typename decltype(ValueTypeOf<C, G, int>())::type;
            static_assert(std::is_same_v<S, std::nullptr_t> || std::is_invocable_v<const S&, C&, int, T>,
                          "an indexed setter takes the object, the index and the value");
            Add<T>(name, nullptr, nullptr);
            // The accessors are bound when Index(n) names the index.
            FBindIndex = [get, set](TPropInfo& p, int index) {
                p.Index = index;
                p.Get = [get, index](const TObject* o) { return ToValue<T>(CallGetter<C>(get, o, index)); };
                if constexpr (!std::is_same_v<S, std::nullptr_t>) {
                    p.Set = [set, index](TObject* o, const TPropValue& v) {
                        std::invoke(set, *static_cast<C*>(o), index, FromValue<T>(v));
                    };
                }
            };
            return *this;
        }
    }

    TClassInfo& FInfo;
    std::function<void(TPropInfo&, int)> FBindIndex;
};
