// Declaring a class's published interface, once, in its .cpp:
//
//   const TClassInfo& TWingedMonster::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TWingedMonster>::Creatable(
//           "TWingedMonster", TImage::StaticClass(), [](auto& c) {
//               c.Property("LeftImages", &TWingedMonster::FLeftImages);
//               c.Property("HorizontalTravel", &TWingedMonster::FHorizontalTravel);
//               c.Property("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true);
//               c.Method("FormClick", &TGameForm::FormClick);     // forms: handlers
//               c.Component("Timer1", &TGameForm::Timer1);        // forms: fields
//           });
//       return info;
//   }
//
// The type of each property comes from the member's C++ type through
// TypeInfoOf<T>() (classes/type_infos.h). Ordinal properties have the
// stream default 0 unless Default()/NoDefault() says otherwise.
#pragma once
#include <type_traits>

#include "framework/classes/object.h"
#include "framework/classes/type_infos.h"

class TComponent;

namespace published_detail {

template <class T>
TPropValue ToValue(const T& v) {
    if constexpr (std::is_same_v<T, AnsiString>) {
        return TPropValue(v);
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

template <class T>
T FromValue(const TPropValue& v) {
    if constexpr (std::is_same_v<T, AnsiString>) {
        if (auto p = std::get_if<AnsiString>(&v)) return *p;
        BadValue("a string");
    } else if constexpr (std::is_floating_point_v<T>) {
        if (auto p = std::get_if<double>(&v)) return static_cast<T>(*p);
        if (auto p = std::get_if<int64_t>(&v)) return static_cast<T>(*p);
        BadValue("a number");
    } else if constexpr (std::is_pointer_v<T>) {
        using Class = std::remove_pointer_t<T>;
        auto p = std::get_if<TObject*>(&v);
        if (!p) BadValue("an object");
        if (*p && !(*p)->InheritsFrom(Class::StaticClass()))
            throw EPropertyError(Format("%s is not a %s", (*p)->ClassName().c_str(),
                                        Class::StaticClass().Name()));
        return static_cast<T>(*p);
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        if (auto p = std::get_if<int64_t>(&v)) return static_cast<T>(*p);
        BadValue("an ordinal value");
    } else {
        if (auto p = std::get_if<TMethod>(&v)) return T::FromMethod(*p);
        BadValue("a method");
    }
}

template <class T>
using Bare = std::remove_cv_t<std::remove_reference_t<T>>;

template <class T>
constexpr bool IsOrdinal = std::is_integral_v<T> || std::is_enum_v<T>;

}  // namespace published_detail

template <class C>
class TClassBuilder {
public:
    using Setup = void (*)(TClassBuilder<C>&);

    // A component class made by name through its owner constructor.
    static TClassInfo Creatable(const char* name, const TClassInfo& parent, Setup setup = nullptr) {
        TClassInfo info(name, &parent, [](TComponent* owner) -> TComponent* { return new C(owner); });
        TClassBuilder b(info);
        if (setup) setup(b);
        return info;
    }
    // Any other class: described, but not made by name.
    static TClassInfo Abstract(const char* name, const TClassInfo& parent, Setup setup = nullptr) {
        TClassInfo info(name, &parent, nullptr);
        TClassBuilder b(info);
        if (setup) setup(b);
        return info;
    }

    // A property that reads and writes the field directly.
    template <class T, class B>
        requires(!std::is_function_v<T>)
    TClassBuilder& Property(const char* name, T B::*field) {
        using namespace published_detail;
        TPropInfo p;
        p.Name = name;
        p.PropTypeOf = &TypeInfoOf<T>;
        p.Get = [field](const TObject* o) { return ToValue<T>(static_cast<const C*>(o)->*field); };
        p.Set = [field](TObject* o, const TPropValue& v) { static_cast<C*>(o)->*field = FromValue<T>(v); };
        p.HasDefault = IsOrdinal<T> || std::is_pointer_v<T>;
        FInfo.AddProperty(std::move(p));
        return *this;
    }

    // A property with a getter and, unless null, a setter.
    template <class G, class B, class S = std::nullptr_t>
    TClassBuilder& Property(const char* name, G (B::*get)() const, S set = nullptr) {
        using namespace published_detail;
        using T = Bare<G>;
        TPropInfo p;
        p.Name = name;
        p.PropTypeOf = &TypeInfoOf<T>;
        p.Get = [get](const TObject* o) { return ToValue<T>((static_cast<const C*>(o)->*get)()); };
        if constexpr (!std::is_same_v<S, std::nullptr_t>) {
            p.Set = [set](TObject* o, const TPropValue& v) { (static_cast<C*>(o)->*set)(FromValue<T>(v)); };
        }
        p.HasDefault = IsOrdinal<T> || std::is_pointer_v<T>;
        FInfo.AddProperty(std::move(p));
        return *this;
    }

    TClassBuilder& Default(int64_t value) {
        FInfo.LastProperty().HasDefault = true;
        FInfo.LastProperty().Default = value;
        return *this;
    }
    TClassBuilder& NoDefault() {
        FInfo.LastProperty().HasDefault = false;
        return *this;
    }
    TClassBuilder& StoredWhen(bool (C::*stored)() const) {
        FInfo.LastProperty().Stored = [stored](const TObject* o) { return (static_cast<const C*>(o)->*stored)(); };
        return *this;
    }
    TClassBuilder& NotStored() {
        FInfo.LastProperty().Stored = [](const TObject*) { return false; };
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
        FInfo.AddComponentField(TComponentFieldInfo{name, &T::StaticClass, [field](TObject* o, TComponent* v) {
                                      static_cast<C*>(o)->*field = static_cast<T*>(v);
                                  }});
        return *this;
    }

private:
    explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}
    TClassInfo& FInfo;
};
