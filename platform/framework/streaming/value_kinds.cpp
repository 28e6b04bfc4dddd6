#include "framework/streaming/value_kinds.h"

#include "framework/classes/published.h"

namespace {

[[noreturn]] void Expected(const char* what, PTypeInfo type) {
    throw EConvertError(Format("%s expected for a %s property", what, type->Name));
}

int64_t Ordinal(const TPropValue& v) { return std::get<int64_t>(v); }

bool OrdinalIsDefault(const TPropInfo& p, const TPropValue& v) { return Ordinal(v) == p.Default; }

// Integers and colours: a named constant when one fits, else the number.
const TValueKind IntegerKind{
    [](PTypeInfo type, const TPropValue& v, const TComponent*, TFormValue& out) {
        int64_t n = Ordinal(v);
        if (const char* ident = IntToIdent(type, n)) {
            out.kind = TFormValue::Ident;
            out.text = ident;
        } else {
            out.kind = TFormValue::Integer;
            out.integer = n;
        }
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent*) -> TPropValue {
        int64_t value = 0;
        if (in.kind == TFormValue::Ident) {
            if (!IdentToInt(type, in.text, value)) throw EConvertError("unknown value " + in.text);
        } else {
            if (in.kind != TFormValue::Integer) Expected("a number", type);
            value = in.integer;
            // Colours may be written as the unsigned 32-bit number they are.
            if (type->Kind == TTypeKind::Color && value > INT32_MAX && value <= UINT32_MAX)
                value = static_cast<int32_t>(static_cast<uint32_t>(value));
        }
        if (value < type->MinValue || value > type->MaxValue) throw EConvertError(Format("value %d out of range", value));
        return value;
    },
    OrdinalIsDefault};

const TValueKind EnumerationKind{
    [](PTypeInfo type, const TPropValue& v, const TComponent*, TFormValue& out) {
        out.kind = TFormValue::Ident;
        out.text = GetEnumName(type, Ordinal(v));
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent*) -> TPropValue {
        if (in.kind != TFormValue::Ident) Expected("an identifier", type);
        int64_t value = GetEnumValue(type, in.text);
        if (value < 0) throw EConvertError("unknown value " + in.text);
        return value;
    },
    OrdinalIsDefault};

const TValueKind SetKind{
    [](PTypeInfo type, const TPropValue& v, const TComponent*, TFormValue& out) {
        int64_t bits = Ordinal(v);
        out.kind = TFormValue::Set;
        for (size_t i = 0; i < type->EnumNames.size() && i < 64; ++i)
            if (bits & (int64_t(1) << i)) out.items.push_back(type->EnumNames[i]);
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent*) -> TPropValue {
        if (in.kind != TFormValue::Set) Expected("a set", type);
        int64_t bits = 0;
        for (const AnsiString& name : in.items) {
            int64_t index = GetEnumValue(type, name);
            if (index < 0 || index >= 64) throw EConvertError("unknown set element " + name);
            bits |= int64_t(1) << index;
        }
        return bits;
    },
    OrdinalIsDefault};

// Single and Double (TDateTime is a Double).
const TValueKind FloatKind{
    [](PTypeInfo type, const TPropValue& v, const TComponent*, TFormValue& out) {
        out.kind = TFormValue::Float;
        out.number = std::get<double>(v);
        out.single = type->FloatType == TFloatType::Single;
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent*) -> TPropValue {
        switch (in.kind) {
        case TFormValue::Float: return in.number;
        case TFormValue::Integer: return static_cast<double>(in.integer);
        case TFormValue::Money: return Currency::FromRaw(in.integer).ToDouble();
        default: Expected("a number", type);
        }
    },
    [](const TPropInfo&, const TPropValue& v) { return std::get<double>(v) == 0; }};

const TValueKind CurrencyKind{
    [](PTypeInfo, const TPropValue& v, const TComponent*, TFormValue& out) {
        out.kind = TFormValue::Money;
        out.integer = std::get<Currency>(v).Val;
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent*) -> TPropValue {
        switch (in.kind) {
        case TFormValue::Money: return Currency::FromRaw(in.integer);
        case TFormValue::Integer: return Currency(in.integer);
        // Text keeps the digits as written, so that no binary fraction
        // comes between them and the amount.
        case TFormValue::Float:
            return in.text.empty() ? Currency(in.number) : StrToCurr(in.text, InvariantFormatSettings());
        default: Expected("a number", type);
        }
    },
    [](const TPropInfo&, const TPropValue& v) { return std::get<Currency>(v) == Currency(); }};

const TValueKind StringKind{
    [](PTypeInfo, const TPropValue& v, const TComponent*, TFormValue& out) {
        out.kind = TFormValue::String;
        out.text = std::get<AnsiString>(v);
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent*) -> TPropValue {
        if (in.kind != TFormValue::String) Expected("a string", type);
        return in.text;
    },
    [](const TPropInfo&, const TPropValue& v) { return std::get<AnsiString>(v).empty(); }};

// Handlers: the name under which the root publishes the bound method.
const TValueKind MethodKind{
    [](PTypeInfo, const TPropValue& v, const TComponent* root, TFormValue& out) {
        const TMethod& m = std::get<TMethod>(v);
        if (!m || m.Data != root) return false;
        const TMethodInfo* info = root->ClassType().FindMethod(m);
        if (!info) return false;  // bound to a method that is not published
        out.kind = TFormValue::Ident;
        out.text = info->Name;
        return true;
    },
    [](PTypeInfo type, const TFormValue& in, TComponent* root) -> TPropValue {
        if (in.kind != TFormValue::Ident) Expected("a handler name", type);
        const TMethodInfo* m = root->ClassType().FindMethod(in.text);
        if (!m) throw EConvertError(root->ClassName() + " has no handler " + in.text);
        if (m->Signature != type)
            throw EConvertError(Format("handler %s is a %s, not a %s", in.text, m->Signature->Name, type->Name));
        return TMethod{root, m->Code};
    },
    [](const TPropInfo&, const TPropValue& v) { return !std::get<TMethod>(v); }};

}  // namespace

const TValueKind& ValueKindOf(PTypeInfo type) {
    switch (type->Kind) {
    case TTypeKind::Integer:
    case TTypeKind::Color: return IntegerKind;
    case TTypeKind::Enumeration:
    case TTypeKind::Boolean: return EnumerationKind;
    case TTypeKind::Set: return SetKind;
    case TTypeKind::Float: return type->FloatType == TFloatType::Currency ? CurrencyKind : FloatKind;
    case TTypeKind::String: return StringKind;
    case TTypeKind::Method: return MethodKind;
    case TTypeKind::Class: break;
    }
    throw EPropertyError(Format("%s is not a value kind", type->Name));
}
