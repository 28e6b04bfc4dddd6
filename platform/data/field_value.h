// The value of a field or a parameter, and the conversions between the
// kinds. Text conversions are the user's (FormatSettings()): they are
// what a person types and reads. Text that is no value of the kind asked
// for raises EConvertError, a number that does not fit EOverflow or
// EConvertError; an empty text is null.
#pragma once
#include <cstdint>
#include <variant>

#include "framework/system/currency.h"
#include "framework/system/date_time.h"

enum TFieldType : uint8_t { ftString, ftInteger, ftCurrency, ftFloat, ftDateTime };

// monostate is null; otherwise one value of each kind, in the order of
// TFieldType.
using TFieldValue = std::variant<std::monostate, AnsiString, int64_t, Currency, double, TDateTime>;

inline bool IsNullValue(const TFieldValue& value) { return value.index() == 0; }
// The kind of a value that is not null.
TFieldType KindOf(const TFieldValue& value);

// The value as the given kind (null stays null).
TFieldValue ConvertValue(const TFieldValue& value, TFieldType to);

// Reading a value as a kind; null reads as the empty text or zero.
AnsiString ValueAsString(const TFieldValue& value);
int ValueAsInteger(const TFieldValue& value);
int64_t ValueAsLargeInt(const TFieldValue& value);
Currency ValueAsCurrency(const TFieldValue& value);
double ValueAsFloat(const TFieldValue& value);
TDateTime ValueAsDateTime(const TFieldValue& value);

// The typed readers and writers of whatever holds a value: a field of
// the current record, a parameter of a query.
class TValueHolder {
public:
    virtual ~TValueHolder();
    virtual const TFieldValue& Value() const = 0;
    virtual void SetValue(const TFieldValue& value) = 0;

    bool IsNull() const { return IsNullValue(Value()); }
    void Clear() { SetValue(TFieldValue()); }
    AnsiString AsString() const { return ValueAsString(Value()); }
    void SetAsString(const AnsiString& value) { SetValue(value); }
    int AsInteger() const { return ValueAsInteger(Value()); }
    int64_t AsLargeInt() const { return ValueAsLargeInt(Value()); }
    void SetAsInteger(int64_t value) { SetValue(value); }
    Currency AsCurrency() const { return ValueAsCurrency(Value()); }
    void SetAsCurrency(Currency value) { SetValue(value); }
    double AsFloat() const { return ValueAsFloat(Value()); }
    void SetAsFloat(double value) { SetValue(value); }
    TDateTime AsDateTime() const { return ValueAsDateTime(Value()); }
    void SetAsDateTime(TDateTime value) { SetValue(value); }
};
