// Numbers and money to text and back. Text that is no value of the kind
// asked for raises EConvertError naming the text. Floating-point and
// money text uses the decimal separator of the settings given, or of the
// user's (FormatSettings()).
#pragma once
#include <cstdint>

#include "framework/system/currency.h"
#include "framework/system/format_settings.h"

AnsiString IntToStr(int64_t value);
// Upper-case hexadecimal, at least digits digits.
AnsiString IntToHex(uint64_t value, int digits);
// Decimal, or hexadecimal after "$" or "0x"; an optional "-" first.
int StrToInt(const AnsiString& text);
int64_t StrToInt64(const AnsiString& text);
bool TryStrToInt(const AnsiString& text, int& value);
bool TryStrToInt64(const AnsiString& text, int64_t& value);

// Fifteen significant digits, without trailing zeros ("2.5", "1E20").
AnsiString FloatToStr(double value);
AnsiString FloatToStr(double value, const TFormatSettings& settings);
double StrToFloat(const AnsiString& text);
double StrToFloat(const AnsiString& text, const TFormatSettings& settings);
bool TryStrToFloat(const AnsiString& text, double& value, const TFormatSettings& settings);

// Exact: up to four decimals, without trailing zeros ("-12.5").
AnsiString CurrToStr(Currency value);
AnsiString CurrToStr(Currency value, const TFormatSettings& settings);
// More than four decimals are rounded half to even.
Currency StrToCurr(const AnsiString& text);
Currency StrToCurr(const AnsiString& text, const TFormatSettings& settings);
bool TryStrToCurr(const AnsiString& text, Currency& value, const TFormatSettings& settings);
