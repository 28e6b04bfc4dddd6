#include "framework/system/date_time.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <vector>

#include "framework/system/exceptions.h"
#include "framework/system/format.h"

namespace {

constexpr int64_t MsPerDay = 86400000;

// Days since 1970-01-01 of a Gregorian date, and back (H. Hinnant's
// algorithms, exact for every year).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (month <= 2));
}

const int64_t Epoch = DaysFromCivil(1899, 12, 30);
const int64_t FirstDay = DaysFromCivil(1, 1, 1) - Epoch;
const int64_t LastDay = DaysFromCivil(9999, 12, 31) - Epoch;

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : days[month - 1];
}

bool ValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool ValidTime(int hour, int minute, int second, int ms) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && ms >= 0 &&
           ms < 1000;
}

// A value as its day and its milliseconds into the day (rounded to the
// millisecond, so 0.5 ms before midnight is the next day).
struct Split {
    int64_t day;
    int64_t ms;
};

Split SplitValue(TDateTime value) {
    if (!(value.Val > static_cast<double>(FirstDay - 1) && value.Val < static_cast<double>(LastDay + 1)))
        throw EConvertError(Format("Invalid date and time value %g", value.Val));
    double magnitude = std::fabs(value.Val);
    auto total = static_cast<int64_t>(std::llround(magnitude * MsPerDay));
    Split s{total / MsPerDay, total % MsPerDay};
    if (value.Val < 0) s.day = -s.day;
    if (s.day < FirstDay || s.day > LastDay) throw EConvertError(Format("Invalid date and time value %g", value.Val));
    return s;
}

TDateTime Combine(int64_t day, int64_t ms) {
    double time = static_cast<double>(ms) / MsPerDay;
    return static_cast<double>(day) + (day < 0 ? -time : time);
}

struct Parts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, ms = 0;
    int dayOfWeek = 0;  // 0 Sunday
};

Parts PartsOf(TDateTime value) {
    Split s = SplitValue(value);
    Parts p;
    CivilFromDays(s.day + Epoch, p.year, p.month, p.day);
    p.hour = static_cast<int>(s.ms / 3600000);
    p.minute = static_cast<int>(s.ms / 60000 % 60);
    p.second = static_cast<int>(s.ms / 1000 % 60);
    p.ms = static_cast<int>(s.ms % 1000);
    int64_t weekday = (s.day + Epoch + 4) % 7;  // 1970-01-01 was a Thursday
    p.dayOfWeek = static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
    return p;
}

// One element of a date or time picture: a run of a pattern letter, or
// literal text.
struct Token {
    char letter = 0;  // 0: literal
    int count = 0;
    AnsiString literal;
};

std::vector<Token> Tokenize(const AnsiString& picture) {
    std::vector<Token> tokens;
    auto literal = [&](char c) {
        if (tokens.empty() || tokens.back().letter) tokens.push_back(Token{});
        tokens.back().literal += c;
    };
    for (size_t i = 0; i < picture.size();) {
        char c = picture[i];
        if (c == '\'') {
            for (++i; i < picture.size(); ++i) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        literal('\'');
                        ++i;
                        continue;
                    }
                    break;
                }
                literal(picture[i]);
            }
            ++i;
        } else if (AnsiString("dMyghHmst").find(c) != AnsiString::npos) {
            size_t start = i;
            while (i < picture.size() && picture[i] == c) ++i;
            tokens.push_back(Token{c, static_cast<int>(i - start), {}});
        } else {
            literal(c);
            ++i;
        }
    }
    return tokens;
}

AnsiString Padded(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

// Hours count to twelve only when the two halves of the day have
// different designators; where they read alike (a locale whose words the
// program's code page cannot show) the hours count to 24, so that the text
// still says which half it is.
bool TwelveHour(const TFormatSettings& s) { return s.TimeAMString != s.TimePMString; }

AnsiString FormatPicture(const AnsiString& picture, const Parts& p, const TFormatSettings& s) {
    AnsiString out;
    for (const Token& t : Tokenize(picture)) {
        int n = t.count;
        switch (t.letter) {
        case 0: out += t.literal; break;
        case 'd':
            out += n <= 2 ? Padded(p.day, n) : n == 3 ? s.ShortDayNames[p.dayOfWeek] : s.LongDayNames[p.dayOfWeek];
            break;
        case 'M':
            out += n <= 2 ? Padded(p.month, n) : n == 3 ? s.ShortMonthNames[p.month - 1] : s.LongMonthNames[p.month - 1];
            break;
        case 'y': out += n <= 2 ? Padded(p.year % 100, n) : Padded(p.year, 4); break;
        case 'g': break;  // the era: there is only one
        case 'h':
            if (TwelveHour(s)) {
                out += Padded(p.hour % 12 == 0 ? 12 : p.hour % 12, std::min(n, 2));
                break;
            }
            [[fallthrough]];
        case 'H': out += Padded(p.hour, std::min(n, 2)); break;
        case 'm': out += Padded(p.minute, std::min(n, 2)); break;
        case 's': out += Padded(p.second, std::min(n, 2)); break;
        case 't': {
            const AnsiString& designator = p.hour < 12 ? s.TimeAMString : s.TimePMString;
            out += n == 1 ? designator.substr(0, 1) : designator;
            break;
        }
        }
    }
    return out;
}

// Reads text against a picture from pos on, filling the parts it names.
class PictureScanner {
public:
    PictureScanner(const AnsiString& text, const TFormatSettings& settings) : FText(text), FSettings(settings) {}

    bool Scan(const AnsiString& picture, size_t& pos, Parts& p) {
        FPos = pos;
        for (const Token& t : Tokenize(picture))
            if (!ScanToken(t, p)) return false;
        pos = FPos;
        return true;
    }
    int designator = 0;  // 0 none, 1 AM, 2 PM
    bool twelveHour = false;
    bool shortYear = false;

private:
    bool ScanToken(const Token& t, Parts& p) {
        switch (t.letter) {
        case 0: return Literal(t.literal);
        case 'd': return t.count <= 2 ? Number(2, p.day) : Name(FSettings.LongDayNames, FSettings.ShortDayNames, nullptr);
        case 'M':
            return t.count <= 2 ? Number(2, p.month)
                                : Name(FSettings.LongMonthNames, FSettings.ShortMonthNames, &p.month);
        case 'y': {
            size_t start = FPos;
            if (!Number(t.count <= 2 ? 2 : 4, p.year)) return false;
            shortYear = FPos - start <= 2;
            return true;
        }
        case 'g': return true;
        case 'h':
            twelveHour = TwelveHour(FSettings);
            return Number(2, p.hour);
        case 'H': return Number(2, p.hour);
        case 'm': return Number(2, p.minute);
        case 's': return Number(2, p.second);
        case 't': return Designator(t.count);
        }
        return false;
    }

    bool Literal(const AnsiString& literal) {
        for (char c : literal) {
            if (c == ' ') {
                while (FPos < FText.size() && FText[FPos] == ' ') ++FPos;
            } else if (FPos < FText.size() && FText[FPos] == c) {
                ++FPos;
            } else {
                return false;
            }
        }
        return true;
    }

    bool Number(int maxDigits, int& value) {
        int digits = 0;
        value = 0;
        while (digits < maxDigits && FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) {
            value = value * 10 + (FText[FPos++] - '0');
            ++digits;
        }
        return digits > 0;
    }

    bool Matches(const AnsiString& word) const {
        return !word.empty() && FText.size() - FPos >= word.size() && SameText(FText.substr(FPos, word.size()), word);
    }

    template <size_t N>
    bool Name(const std::array<AnsiString, N>& longNames, const std::array<AnsiString, N>& shortNames, int* index) {
        size_t best = 0;
        int found = -1;
        for (size_t i = 0; i < N; ++i)
            for (const AnsiString* name : {&longNames[i], &shortNames[i]})
                if (Matches(*name) && name->size() > best) {
                    best = name->size();
                    found = static_cast<int>(i);
                }
        if (found < 0) return false;
        FPos += best;
        if (index) *index = found + 1;
        return true;
    }

    bool Designator(int count) {
        const AnsiString& am = FSettings.TimeAMString;
        const AnsiString& pm = FSettings.TimePMString;
        if (am.empty() && pm.empty()) return true;
        // The longer of two matches: one designator may begin the other.
        size_t best = 0;
        for (int which : {1, 2}) {
            AnsiString word = which == 1 ? am : pm;
            if (count == 1) word = word.substr(0, 1);
            if (Matches(word) && word.size() > best) {
                best = word.size();
                designator = which;
            }
        }
        FPos += best;
        return best > 0;
    }

    const AnsiString& FText;
    const TFormatSettings& FSettings;
    size_t FPos = 0;
};

int CurrentYear() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
    if (!ValidDate(year, month, day))
        throw EConvertError(Format("Invalid date %d-%d-%d", year, month, day));
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - Epoch);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (!ValidTime(hour, minute, second, millisecond))
        throw EConvertError(Format("Invalid time %d:%d:%d.%d", hour, minute, second, millisecond));
    return Combine(0, ((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    Parts p = PartsOf(value);
    year = p.year;
    month = p.month;
    day = p.day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
    Parts p = PartsOf(value);
    hour = p.hour;
    minute = p.minute;
    second = p.second;
    millisecond = p.ms;
}

int DayOfWeek(TDateTime value) { return PartsOf(value).dayOfWeek + 1; }

TDateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return Combine(static_cast<int64_t>(EncodeDate(t.wYear, t.wMonth, t.wDay).Val),
                   ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds);
}

TDateTime Date() { return std::floor(Now().Val); }

TDateTime Time() {
    TDateTime now = Now();
    return now.Val - std::floor(now.Val);
}

AnsiString DateToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatPicture(settings.ShortDateFormat, PartsOf(value), settings);
}

AnsiString TimeToStr(TDateTime value, const TFormatSettings& settings) {
    return FormatPicture(settings.LongTimeFormat, PartsOf(value), settings);
}

AnsiString DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
    Parts p = PartsOf(value);
    AnsiString text = FormatPicture(settings.ShortDateFormat, p, settings);
    if (p.hour || p.minute || p.second || p.ms) text += " " + FormatPicture(settings.LongTimeFormat, p, settings);
    return text;
}

AnsiString DateToStr(TDateTime value) { return DateToStr(value, FormatSettings()); }
AnsiString TimeToStr(TDateTime value) { return TimeToStr(value, FormatSettings()); }
AnsiString DateTimeToStr(TDateTime value) { return DateTimeToStr(value, FormatSettings()); }

namespace {

// The whole text as a date with an optional time after blanks, or (when
// withDate is false) as a time alone.
bool ScanDateTime(const AnsiString& s, bool withDate, const TFormatSettings& settings, TDateTime& value) {
    PictureScanner scanner(s, settings);
    Parts p;
    size_t pos = 0;
    if (withDate && !scanner.Scan(settings.ShortDateFormat, pos, p)) return false;
    bool hasTime = !withDate || pos < s.size();
    if (hasTime) {
        if (withDate) {
            if (s[pos] != ' ') return false;
            while (pos < s.size() && s[pos] == ' ') ++pos;
        }
        if (!scanner.Scan(settings.LongTimeFormat, pos, p)) return false;
    }
    if (pos != s.size()) return false;
    if (withDate && scanner.shortYear) {
        // Two digits: the year with that ending nearest to this one.
        int now = CurrentYear(), year = now - now % 100 + p.year;
        if (year > now + 49) year -= 100;
        if (year < now - 50) year += 100;
        p.year = year;
    }
    if (hasTime && scanner.designator && scanner.twelveHour) {
        if (p.hour < 1 || p.hour > 12) return false;
        p.hour = p.hour % 12 + (scanner.designator == 2 ? 12 : 0);
    }
    if (!ValidDate(p.year, p.month, p.day) || !ValidTime(p.hour, p.minute, p.second, 0)) return false;
    int64_t day = DaysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) - Epoch;
    value = Combine(withDate ? day : 0, ((p.hour * 60 + p.minute) * 60 + p.second) * 1000);
    return true;
}

}  // namespace

bool TryStrToDateTime(const AnsiString& text, TDateTime& value, const TFormatSettings& settings) {
    AnsiString s = Trim(text);
    return !s.empty() && (ScanDateTime(s, true, settings, value) || ScanDateTime(s, false, settings, value));
}

TDateTime StrToDateTime(const AnsiString& text, const TFormatSettings& settings) {
    TDateTime value;
    if (!TryStrToDateTime(text, value, settings))
        throw EConvertError("'" + text + "' is not a valid date and time");
    return value;
}

TDateTime StrToDateTime(const AnsiString& text) { return StrToDateTime(text, FormatSettings()); }
