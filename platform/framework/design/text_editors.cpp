// The stock editors of values typed as text: strings and floating-point
// numbers.
#include "framework/design/stock_editors.h"

TPropertyAttributes TStringProperty::GetAttributes() { return {paMultiSelect}; }

AnsiString TStringProperty::GetValue() { return std::get<AnsiString>(GetPropValueAt(0)); }

void TStringProperty::SetValue(const AnsiString& value) { SetPropValueAll(TPropValue(value)); }

TPropertyAttributes TComponentNameProperty::GetAttributes() { return {}; }

TPropertyAttributes TFloatProperty::GetAttributes() { return {paMultiSelect}; }

// Numbers in the user's locale: Single to 7 significant digits, Double
// (and TDateTime) to 15, Currency exactly.
AnsiString TFloatProperty::GetValue() {
    TPropValue value = GetPropValueAt(0);
    if (auto money = std::get_if<Currency>(&value)) return CurrToStr(*money);
    if (GetPropType()->FloatType == TFloatType::Single) return Format("%.7g", std::get<double>(value));
    return FloatToStr(std::get<double>(value));
}

void TFloatProperty::SetValue(const AnsiString& value) {
    TPropValue number;
    try {
        if (GetPropType()->FloatType == TFloatType::Currency) number = StrToCurr(value);
        else number = StrToFloat(value);
    } catch (const EConvertError&) {
        InvalidValue(value);
    }
    SetPropValueAll(number);
}
