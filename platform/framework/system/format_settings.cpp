#include "framework/system/format_settings.h"

#include <windows.h>

#include "framework/system/exceptions.h"

namespace {

AnsiString LocaleText(LCID locale, LCTYPE item) {
    char buffer[128];
    int n = GetLocaleInfoA(locale, item, buffer, sizeof buffer);
    Win32Check(n > 0, "GetLocaleInfo");
    return AnsiString(buffer, static_cast<size_t>(n - 1));
}

int LocaleNumber(LCID locale, LCTYPE item) {
    AnsiString text = LocaleText(locale, item);
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

TFormatSettings GetLocaleFormatSettings(unsigned long locale) {
    TFormatSettings s;
    s.DecimalSeparator = LocaleText(locale, LOCALE_SDECIMAL);
    s.ThousandSeparator = LocaleText(locale, LOCALE_STHOUSAND);
    s.CurrencyString = LocaleText(locale, LOCALE_SCURRENCY);
    s.CurrencyFormat = LocaleNumber(locale, LOCALE_ICURRENCY);
    s.NegCurrFormat = LocaleNumber(locale, LOCALE_INEGCURR);
    s.CurrencyDecimals = LocaleNumber(locale, LOCALE_ICURRDIGITS);
    s.CurrencyDecimalSeparator = LocaleText(locale, LOCALE_SMONDECIMALSEP);
    s.CurrencyThousandSeparator = LocaleText(locale, LOCALE_SMONTHOUSANDSEP);
    s.ShortDateFormat = LocaleText(locale, LOCALE_SSHORTDATE);
    s.LongTimeFormat = LocaleText(locale, LOCALE_STIMEFORMAT);
    s.TimeAMString = LocaleText(locale, LOCALE_S1159);
    s.TimePMString = LocaleText(locale, LOCALE_S2359);
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = LocaleText(locale, LOCALE_SABBREVMONTHNAME1 + i);
        s.LongMonthNames[i] = LocaleText(locale, LOCALE_SMONTHNAME1 + i);
    }
    // The platform counts from Monday (DAYNAME1); Sunday is DAYNAME7.
    for (int i = 0; i < 7; ++i) {
        int platform = (i + 6) % 7;
        s.ShortDayNames[i] = LocaleText(locale, LOCALE_SABBREVDAYNAME1 + platform);
        s.LongDayNames[i] = LocaleText(locale, LOCALE_SDAYNAME1 + platform);
    }
    return s;
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings = GetLocaleFormatSettings(LOCALE_USER_DEFAULT);
    return settings;
}

void GetFormatSettings() { FormatSettings() = GetLocaleFormatSettings(LOCALE_USER_DEFAULT); }

const TFormatSettings& InvariantFormatSettings() {
    static const TFormatSettings settings = [] {
        TFormatSettings s = GetLocaleFormatSettings(LOCALE_INVARIANT);
        s.DecimalSeparator = s.CurrencyDecimalSeparator = ".";
        s.ThousandSeparator = s.CurrencyThousandSeparator = "";
        return s;
    }();
    return settings;
}
