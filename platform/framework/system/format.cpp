#include "framework/system/format.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "framework/system/exceptions.h"

namespace {

constexpr int MaxPrecision = 18;

// A number's magnitude as decimal digits before and after the point.
struct Decimal {
    bool negative = false;
    AnsiString whole;
    AnsiString fraction;
};

uint64_t Pow10(int n) {
    uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

AnsiString ZeroPadded(uint64_t value, int digits) {
    AnsiString text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    return text;
}

// Money exactly, rounded half to even at the decimals asked for (as
// doubles are, and as Currency arithmetic is).
Decimal MoneyDigits(int64_t raw, int decimals) {
    uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    Decimal d;
    if (decimals >= 4) {
        d.whole = std::to_string(magnitude / 10000);
        d.fraction = ZeroPadded(magnitude % 10000, 4) + AnsiString(static_cast<size_t>(decimals - 4), '0');
    } else {
        uint64_t divisor = Pow10(4 - decimals);
        uint64_t q = magnitude / divisor, r = magnitude % divisor;
        if (r > divisor - r || (r == divisor - r && (q & 1))) ++q;
        d.whole = std::to_string(q / Pow10(decimals));
        d.fraction = decimals ? ZeroPadded(q % Pow10(decimals), decimals) : "";
    }
    d.negative = raw < 0 && (d.whole != "0" || d.fraction.find_first_not_of('0') != AnsiString::npos);
    return d;
}

Decimal FloatDigits(double value, int decimals) {
    Decimal d;
    if (std::isnan(value) || std::isinf(value)) {
        d.negative = value < 0;
        d.whole = std::isnan(value) ? "NAN" : "INF";
        return d;
    }
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
    AnsiString text = buffer;
    size_t point = text.find('.');
    d.whole = text.substr(0, point);
    if (point != AnsiString::npos) d.fraction = text.substr(point + 1);
    d.negative = value < 0 && text.find_first_not_of("0.") != AnsiString::npos;
    return d;
}

AnsiString Grouped(const AnsiString& digits, const AnsiString& separator) {
    AnsiString out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

AnsiString Joined(const Decimal& d, const AnsiString& thousands, const AnsiString& point) {
    AnsiString text = thousands.empty() ? d.whole : Grouped(d.whole, thousands);
    if (!d.fraction.empty()) text += point + d.fraction;
    return text;
}

AnsiString MoneyText(const Decimal& d, const TFormatSettings& s) {
    // The platform's patterns: '$' the symbol, 'n' the amount.
    static const char* const positive[] = {"$n", "n$", "$ n", "n $"};
    static const char* const negative[] = {"($n)", "-$n", "$-n", "$n-", "(n$)", "-n$", "n-$", "n$-",
                                           "-n $", "-$ n", "n $-", "$ n-", "$ -n", "n- $", "($ n)", "(n $)"};
    const char* pattern = d.negative ? negative[std::clamp(s.NegCurrFormat, 0, 15)]
                                     : positive[std::clamp(s.CurrencyFormat, 0, 3)];
    AnsiString amount = Joined(d, s.CurrencyThousandSeparator, s.CurrencyDecimalSeparator);
    AnsiString out;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '$') out += s.CurrencyString;
        else if (*p == 'n') out += amount;
        else out += *p;
    }
    return out;
}

// printf's text for a double with the locale's decimal separator.
AnsiString Localized(const char* text, const AnsiString& point) {
    AnsiString out;
    for (const char* p = text; *p; ++p) {
        if (*p == '.') out += point;
        else out += *p;
    }
    return out;
}

class Formatter {
public:
    Formatter(std::string_view format, const TFormatArg* args, size_t count, const TFormatSettings& settings)
        : FFormat(format), FArgs(args), FCount(count), FSettings(settings) {}

    AnsiString Run() {
        AnsiString out;
        for (size_t i = 0; i < FFormat.size();) {
            char c = FFormat[i++];
            if (c != '%') {
                out += c;
                continue;
            }
            if (i < FFormat.size() && FFormat[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            out += Conversion(i);
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const {
        throw EConvertError("Format '" + AnsiString(FFormat) + "' invalid or incompatible with argument");
    }

    const TFormatArg& Next() {
        if (FNext >= FCount) Invalid();
        return FArgs[FNext++];
    }

    // A number in the format, or * for the next argument; -1 when absent.
    int Count(size_t& i) {
        if (i < FFormat.size() && FFormat[i] == '*') {
            ++i;
            const TFormatArg& a = Next();
            if (a.GetKind() != TFormatArg::Kind::Integer && a.GetKind() != TFormatArg::Kind::Unsigned) Invalid();
            return static_cast<int>(std::clamp<int64_t>(a.Integer(), 0, 1024));
        }
        int n = -1;
        while (i < FFormat.size() && FFormat[i] >= '0' && FFormat[i] <= '9') {
            n = std::min((n < 0 ? 0 : n) * 10 + (FFormat[i++] - '0'), 1 << 20);
        }
        return n;
    }

    AnsiString Conversion(size_t& i) {
        // An index first ("%1:s") is a number followed by a colon.
        size_t mark = i;
        int index = i < FFormat.size() && FFormat[i] != '*' ? Count(i) : -1;
        if (index >= 0 && i < FFormat.size() && FFormat[i] == ':') {
            FNext = static_cast<size_t>(index);
            ++i;
        } else {
            i = mark;
        }
        bool left = i < FFormat.size() && FFormat[i] == '-';
        if (left) ++i;
        int width = Count(i);
        int precision = -1;
        if (i < FFormat.size() && FFormat[i] == '.') {
            ++i;
            precision = std::max(Count(i), 0);
        }
        if (i >= FFormat.size()) Invalid();
        char type = static_cast<char>(std::tolower(static_cast<unsigned char>(FFormat[i++])));
        AnsiString text = Convert(type, Next(), precision);
        if (width > static_cast<int>(text.size())) {
            AnsiString pad(static_cast<size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    double AsDouble(const TFormatArg& a) const {
        switch (a.GetKind()) {
        case TFormatArg::Kind::Float: return a.Float();
        case TFormatArg::Kind::Money: return static_cast<double>(a.Integer()) / Currency::Scale;
        case TFormatArg::Kind::Integer: return static_cast<double>(a.Integer());
        case TFormatArg::Kind::Unsigned: return static_cast<double>(static_cast<uint64_t>(a.Integer()));
        default: Invalid();
        }
    }

    Decimal Fixed(const TFormatArg& a, int decimals) const {
        decimals = std::min(decimals, MaxPrecision);
        switch (a.GetKind()) {
        case TFormatArg::Kind::Money: return MoneyDigits(a.Integer(), decimals);
        case TFormatArg::Kind::Integer:
        case TFormatArg::Kind::Unsigned: {
            Decimal d;
            bool negative = a.GetKind() == TFormatArg::Kind::Integer && a.Integer() < 0;
            d.negative = negative;
            d.whole = std::to_string(negative ? 0 - static_cast<uint64_t>(a.Integer())
                                              : static_cast<uint64_t>(a.Integer()));
            d.fraction = AnsiString(static_cast<size_t>(decimals), '0');
            return d;
        }
        default: return FloatDigits(AsDouble(a), decimals);
        }
    }

    // An integer argument as unsigned bits of its own width.
    uint64_t Bits(const TFormatArg& a) const {
        if (a.GetKind() != TFormatArg::Kind::Integer && a.GetKind() != TFormatArg::Kind::Unsigned) Invalid();
        auto bits = static_cast<uint64_t>(a.Integer());
        return a.Bytes() >= 8 ? bits : bits & ((uint64_t(1) << (8 * a.Bytes())) - 1);
    }

    AnsiString Convert(char type, const TFormatArg& a, int precision) {
        using K = TFormatArg::Kind;
        char buffer[64];
        switch (type) {
        case 'd': {
            if (a.GetKind() != K::Integer && a.GetKind() != K::Unsigned) Invalid();
            Decimal d = Fixed(a, 0);
            return (d.negative ? "-" : "") + ZeroPadded(std::stoull(d.whole), std::min(precision, 64));
        }
        case 'u': return ZeroPadded(Bits(a), std::min(precision, 64));
        case 'x': {
            std::snprintf(buffer, sizeof buffer, "%.*llX", std::clamp(precision, 1, 32),
                          static_cast<unsigned long long>(Bits(a)));
            return buffer;
        }
        case 'e':
            std::snprintf(buffer, sizeof buffer, "%.*E", std::clamp(precision < 0 ? 15 : precision, 1, MaxPrecision) - 1,
                          AsDouble(a));
            return Localized(buffer, FSettings.DecimalSeparator);
        case 'g':
            std::snprintf(buffer, sizeof buffer, "%.*G", std::clamp(precision < 0 ? 15 : precision, 1, MaxPrecision),
                          AsDouble(a));
            return Localized(buffer, FSettings.DecimalSeparator);
        case 'f':
        case 'n': {
            Decimal d = Fixed(a, precision < 0 ? 2 : precision);
            return (d.negative ? "-" : "") +
                   Joined(d, type == 'n' ? FSettings.ThousandSeparator : AnsiString(), FSettings.DecimalSeparator);
        }
        case 'm': return MoneyText(Fixed(a, precision < 0 ? FSettings.CurrencyDecimals : precision), FSettings);
        case 's': {
            if (a.GetKind() == K::Char) return AnsiString(1, static_cast<char>(a.Integer()));
            if (a.GetKind() != K::Text) Invalid();
            std::string_view text = a.Text();
            if (precision >= 0) text = text.substr(0, static_cast<size_t>(precision));
            return AnsiString(text);
        }
        case 'c':
            if (a.GetKind() != K::Char) Invalid();
            return AnsiString(1, static_cast<char>(a.Integer()));
        case 'p':
            if (a.GetKind() != K::Pointer) Invalid();
            std::snprintf(buffer, sizeof buffer, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                          static_cast<unsigned long long>(a.Integer()));
            return buffer;
        default: Invalid();
        }
    }

    std::string_view FFormat;
    const TFormatArg* FArgs;
    size_t FCount;
    const TFormatSettings& FSettings;
    size_t FNext = 0;
};

}  // namespace

AnsiString FormatArgs(std::string_view format, const TFormatArg* args, size_t count,
                      const TFormatSettings& settings) {
    return Formatter(format, args, count, settings).Run();
}

AnsiString FormatMoney(Currency value, int decimals, const TFormatSettings& settings) {
    return MoneyText(MoneyDigits(value.Val, std::clamp(decimals, 0, MaxPrecision)), settings);
}
