#include "data/field_value.h"

#include <cmath>

#include "framework/system/conversions.h"
#include "framework/system/exceptions.h"
#include "framework/system/format.h"

namespace {

// A floating-point value as a whole number: refused when it has a
// fraction or does not fit, rather than cut.
int64_t WholeNumber(double value, const TFieldValue& original) {
    if (!std::isfinite(value) || value != std::trunc(value) || value < -9.2233720368547758e18 ||
        value >= 9.2233720368547758e18)
        throw EConvertError("'" + ValueAsString(original) + "' is not a valid integer value");
    return static_cast<int64_t>(value);
}

TFieldValue ToString(const TFieldValue& v) {
    switch (KindOf(v)) {
    case ftString: return v;
    case ftInteger: return IntToStr(std::get<int64_t>(v));
    case ftCurrency: return CurrToStr(std::get<Currency>(v));
    case ftFloat: return FloatToStr(std::get<double>(v));
    case ftDateTime: return DateTimeToStr(std::get<TDateTime>(v));
    }
    return {};
}

TFieldValue ToInteger(const TFieldValue& v) {
    switch (KindOf(v)) {
    case ftString: return StrToInt64(std::get<AnsiString>(v));
    case ftInteger: return v;
    case ftCurrency: {
        Currency c = std::get<Currency>(v);
        if (c.Val % Currency::Scale != 0) throw EConvertError("'" + CurrToStr(c) + "' is not a valid integer value");
        return c.Trunc();
    }
    case ftFloat: return WholeNumber(std::get<double>(v), v);
    case ftDateTime: return WholeNumber(std::get<TDateTime>(v).Val, v);
    }
    return {};
}

TFieldValue ToCurrency(const TFieldValue& v) {
    switch (KindOf(v)) {
    case ftString: return StrToCurr(std::get<AnsiString>(v));
    case ftInteger: return Currency(std::get<int64_t>(v));
    case ftCurrency: return v;
    case ftFloat: return Currency(std::get<double>(v));
    case ftDateTime: return Currency(std::get<TDateTime>(v).Val);
    }
    return {};
}

TFieldValue ToFloat(const TFieldValue& v) {
    switch (KindOf(v)) {
    case ftString: return StrToFloat(std::get<AnsiString>(v));
    case ftInteger: return static_cast<double>(std::get<int64_t>(v));
    case ftCurrency: return std::get<Currency>(v).ToDouble();
    case ftFloat: return v;
    case ftDateTime: return std::get<TDateTime>(v).Val;
    }
    return {};
}

TFieldValue ToDateTime(const TFieldValue& v) {
    switch (KindOf(v)) {
    case ftString: return StrToDateTime(std::get<AnsiString>(v));
    case ftInteger: return TDateTime(static_cast<double>(std::get<int64_t>(v)));
    case ftCurrency: return TDateTime(std::get<Currency>(v).ToDouble());
    case ftFloat: return TDateTime(std::get<double>(v));
    case ftDateTime: return v;
    }
    return {};
}

}  // namespace

TFieldType KindOf(const TFieldValue& value) {
    return static_cast<TFieldType>(value.index() - 1);
}

TFieldValue ConvertValue(const TFieldValue& value, TFieldType to) {
    if (IsNullValue(value)) return value;
    if (auto text = std::get_if<AnsiString>(&value); text && to != ftString && Trim(*text).empty()) return {};
    switch (to) {
    case ftString: return ToString(value);
    case ftInteger: return ToInteger(value);
    case ftCurrency: return ToCurrency(value);
    case ftFloat: return ToFloat(value);
    case ftDateTime: return ToDateTime(value);
    }
    return {};
}

AnsiString ValueAsString(const TFieldValue& value) {
    return IsNullValue(value) ? AnsiString() : std::get<AnsiString>(ConvertValue(value, ftString));
}

int64_t ValueAsLargeInt(const TFieldValue& value) {
    TFieldValue v = ConvertValue(value, ftInteger);
    return IsNullValue(v) ? 0 : std::get<int64_t>(v);
}

int ValueAsInteger(const TFieldValue& value) {
    int64_t v = ValueAsLargeInt(value);
    if (v < INT32_MIN || v > INT32_MAX) throw EOverflow(Format("%d does not fit an Integer", v));
    return static_cast<int>(v);
}

Currency ValueAsCurrency(const TFieldValue& value) {
    TFieldValue v = ConvertValue(value, ftCurrency);
    return IsNullValue(v) ? Currency() : std::get<Currency>(v);
}

double ValueAsFloat(const TFieldValue& value) {
    TFieldValue v = ConvertValue(value, ftFloat);
    return IsNullValue(v) ? 0.0 : std::get<double>(v);
}

TDateTime ValueAsDateTime(const TFieldValue& value) {
    TFieldValue v = ConvertValue(value, ftDateTime);
    return IsNullValue(v) ? TDateTime() : std::get<TDateTime>(v);
}

TValueHolder::~TValueHolder() = default;
