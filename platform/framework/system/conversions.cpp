#include "framework/system/conversions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/system/exceptions.h"

AnsiString IntToStr(int64_t value) { return std::to_string(value); }

AnsiString IntToHex(uint64_t value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buffer;
}

bool TryStrToInt64(const AnsiString& text, int64_t& value) {
    AnsiString trimmed = Trim(text);
    const char* s = trimmed.c_str();
    bool negative = *s == '-';
    if (negative || *s == '+') ++s;
    int base = 10;
    if (*s == '$') {
        base = 16;
        ++s;
    } else if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s += 2;
    }
    unsigned long long magnitude = 0;
    const char* end = trimmed.c_str() + trimmed.size();
    auto [stop, error] = std::from_chars(s, end, magnitude, base);
    if (stop == s || stop != end || error != std::errc()) return false;
    // Hexadecimal numbers may fill all 64 bits (colours, masks).
    if (base == 10 && magnitude > (negative ? 9223372036854775808ull : 9223372036854775807ull)) return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool TryStrToInt(const AnsiString& text, int& value) {
    int64_t wide = 0;
    if (!TryStrToInt64(text, wide) || wide < INT32_MIN || wide > INT32_MAX) return false;
    value = static_cast<int>(wide);
    return true;
}

int64_t StrToInt64(const AnsiString& text) {
    int64_t v = 0;
    if (!TryStrToInt64(text, v)) throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

int StrToInt(const AnsiString& text) {
    int v = 0;
    if (!TryStrToInt(text, v)) throw EConvertError("'" + text + "' is not a valid integer value");
    return v;
}

AnsiString FloatToStr(double value, const TFormatSettings& settings) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    AnsiString out;
    for (const char* p = buffer; *p; ++p) {
        if (*p == '.') {
            out += settings.DecimalSeparator;
        } else if (*p == 'E') {
            // "1E+20" and "1E-05" become "1E20" and "1E-5".
            out += 'E';
            ++p;
            if (*p == '-') out += '-';
            ++p;
            while (*p == '0' && p[1]) ++p;
            out += p;
            break;
        } else {
            out += *p;
        }
    }
    return out;
}

AnsiString FloatToStr(double value) { return FloatToStr(value, FormatSettings()); }

namespace {

// The text with the locale's decimal separator replaced by "." for the
// platform-independent parser; false when it holds a "." of its own.
bool ToInvariant(const AnsiString& text, const AnsiString& separator, AnsiString& out) {
    out.clear();
    for (size_t i = 0; i < text.size();) {
        if (!separator.empty() && text.compare(i, separator.size(), separator) == 0) {
            out += '.';
            i += separator.size();
        } else {
            if (text[i] == '.' && separator != ".") return false;
            out += text[i++];
        }
    }
    return true;
}

}  // namespace

bool TryStrToFloat(const AnsiString& text, double& value, const TFormatSettings& settings) {
    AnsiString s;
    if (!ToInvariant(Trim(text), settings.DecimalSeparator, s) || s.empty()) return false;
    const char* begin = s.c_str();
    if (*begin == '+') ++begin;
    // Digits, a point, digits and an exponent only: no "inf", "nan" or hexadecimal.
    for (const char* p = begin; *p; ++p)
        if (!std::isdigit(static_cast<unsigned char>(*p)) && !std::strchr(".eE+-", *p)) return false;
    auto [stop, error] = std::from_chars(begin, s.c_str() + s.size(), value);
    return stop == s.c_str() + s.size() && stop != begin && error == std::errc();
}

double StrToFloat(const AnsiString& text, const TFormatSettings& settings) {
    double v = 0;
    if (!TryStrToFloat(text, v, settings)) throw EConvertError("'" + text + "' is not a valid floating point value");
    return v;
}

double StrToFloat(const AnsiString& text) { return StrToFloat(text, FormatSettings()); }

AnsiString CurrToStr(Currency value, const TFormatSettings& settings) {
    uint64_t magnitude = value.Val < 0 ? 0 - static_cast<uint64_t>(value.Val) : static_cast<uint64_t>(value.Val);
    AnsiString out = value.Val < 0 ? "-" : "";
    out += std::to_string(magnitude / Currency::Scale);
    unsigned fraction = static_cast<unsigned>(magnitude % Currency::Scale);
    if (fraction) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", fraction);
        AnsiString f = digits;
        f.erase(f.find_last_not_of('0') + 1);
        out += settings.DecimalSeparator + f;
    }
    return out;
}

AnsiString CurrToStr(Currency value) { return CurrToStr(value, FormatSettings()); }

bool TryStrToCurr(const AnsiString& text, Currency& value, const TFormatSettings& settings) {
    AnsiString s;
    if (!ToInvariant(Trim(text), settings.DecimalSeparator, s)) return false;
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    // Every digit is kept: the amount in ten-thousandths, then the digits
    // beyond the fourth decimal decide the rounding.
    uint64_t scaled = 0;
    int decimals = 0, digits = 0;
    bool point = false, beyondHalf = false, exactlyHalf = false, seenBeyond = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        ++digits;
        int d = c - '0';
        if (point && decimals >= 4) {
            // The fifth decimal onwards: only whether the rest is above,
            // at or below one half matters.
            if (!seenBeyond) {
                seenBeyond = true;
                beyondHalf = d > 5;
                exactlyHalf = d == 5;
            } else if (d != 0 && exactlyHalf) {
                exactlyHalf = false;
                beyondHalf = true;
            }
            continue;
        }
        if (scaled > (UINT64_MAX - 9) / 10) return false;
        scaled = scaled * 10 + static_cast<uint64_t>(d);
        if (point) ++decimals;
    }
    if (digits == 0) return false;
    for (; decimals < 4; ++decimals) {
        if (scaled > UINT64_MAX / 10) return false;
        scaled *= 10;
    }
    if (beyondHalf || (exactlyHalf && (scaled & 1))) ++scaled;
    if (scaled > (negative ? 9223372036854775808ull : 9223372036854775807ull)) return false;
    value = Currency::FromRaw(negative ? static_cast<int64_t>(0 - scaled) : static_cast<int64_t>(scaled));
    return true;
}

Currency StrToCurr(const AnsiString& text, const TFormatSettings& settings) {
    Currency v;
    if (!TryStrToCurr(text, v, settings)) throw EConvertError("'" + text + "' is not a valid currency value");
    return v;
}

Currency StrToCurr(const AnsiString& text) { return StrToCurr(text, FormatSettings()); }
