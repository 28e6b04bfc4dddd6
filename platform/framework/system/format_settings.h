// How numbers, money, dates and times are written in a locale: read from
// the platform's locale information. The conversions use the user's
// settings (FormatSettings()) unless they are given others.
#pragma once
#include <array>

#include "framework/system/text.h"

struct TFormatSettings {
    AnsiString DecimalSeparator = ".";
    AnsiString ThousandSeparator = ",";
    // Money: the symbol, where it goes (CurrencyFormat 0 "$1", 1 "1$",
    // 2 "$ 1", 3 "1 $"), how a negative amount looks (NegCurrFormat 0 to
    // 15, the platform's numbering), decimals and separators.
    AnsiString CurrencyString = "$";
    int CurrencyFormat = 0;
    int NegCurrFormat = 0;
    int CurrencyDecimals = 2;
    AnsiString CurrencyDecimalSeparator = ".";
    AnsiString CurrencyThousandSeparator = ",";
    // Date and time pictures in the platform's notation ("M/d/yyyy",
    // "h:mm:ss tt"): d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH,
    // m mm, s ss, t tt, 'quoted text'.
    AnsiString ShortDateFormat = "M/d/yyyy";
    AnsiString LongTimeFormat = "h:mm:ss tt";
    AnsiString TimeAMString = "AM";
    AnsiString TimePMString = "PM";
    std::array<AnsiString, 12> ShortMonthNames, LongMonthNames;
    std::array<AnsiString, 7> ShortDayNames, LongDayNames;  // Sunday first
};

// The settings of a locale (an LCID such as 0x0407); raises EWin32Error
// when the platform does not know it.
TFormatSettings GetLocaleFormatSettings(unsigned long locale);
// The settings the conversions use by default: the user's, read on first
// use. A program may change them; GetFormatSettings reads the user's
// again (after the user changed them in the control panel).
TFormatSettings& FormatSettings();
void GetFormatSettings();
// Fixed settings for machine-readable text: "." and no grouping.
const TFormatSettings& InvariantFormatSettings();
