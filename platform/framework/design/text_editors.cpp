// The stock editors of values typed as text: strings and floating-point
// numbers.
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "framework/design/stock_editors.h"

TPropertyAttributes TStringProperty::GetAttributes() { return {paMultiSelect}; }

AnsiString TStringProperty::GetValue() { return std::get<AnsiString>(GetPropValueAt(0)); }

void TStringProperty::SetValue(const AnsiString& value) { SetPropValueAll(TPropValue(value)); }

TPropertyAttributes TComponentNameProperty::GetAttributes() { return {}; }

TPropertyAttributes TFloatProperty::GetAttributes() { return {paMultiSelect}; }

// Single, Currency and TDateTime values, when the framework has them, get
// editors of their own beside this one: each shows its value its own way.
AnsiString TFloatProperty::GetValue() { return Format("%.15g", std::get<double>(GetPropValueAt(0))); }

void TFloatProperty::SetValue(const AnsiString& value) {
    const char* text = value.c_str();
    char* end = nullptr;
    errno = 0;
    double number = std::strtod(text, &end);
    while (*end == ' ') ++end;
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(number)) InvalidValue(value);
    SetPropValueAll(TPropValue(number));
}
