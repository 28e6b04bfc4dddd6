// TDateTime: days since 1899-12-30 as a double, the fraction being the
// time of day (0.25 is six in the morning). Before that day the whole
// part counts back and the fraction still runs forward: -1.25 is
// 1899-12-29 06:00. Years 1 to 9999 of the Gregorian calendar.
#pragma once
#include "framework/system/format_settings.h"

class TDateTime {
public:
    constexpr TDateTime() = default;
    constexpr TDateTime(double value) : Val(value) {}
    constexpr operator double() const { return Val; }

    double Val = 0;
};

// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// Raise EConvertError for a value outside years 1 to 9999.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
int DayOfWeek(TDateTime value);  // 1 Sunday to 7 Saturday

TDateTime Now();
TDateTime Date();  // today at midnight
TDateTime Time();  // the time of day alone

// In the user's formats (or those given): the short date, the long
// time, and both with a blank between (no time when it is midnight).
AnsiString DateToStr(TDateTime value);
AnsiString TimeToStr(TDateTime value);
AnsiString DateTimeToStr(TDateTime value);
AnsiString DateToStr(TDateTime value, const TFormatSettings& settings);
AnsiString TimeToStr(TDateTime value, const TFormatSettings& settings);
AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& settings);
// The same formats back: a date, a time, or a date and a time.
// EConvertError names the text that is none of these.
TDateTime StrToDateTime(const AnsiString& text);
TDateTime StrToDateTime(const AnsiString& text, const TFormatSettings& settings);
bool TryStrToDateTime(const AnsiString& text, TDateTime& value, const TFormatSettings& settings);
