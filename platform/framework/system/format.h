// Format: text with values put in by conversions, each argument checked
// against its conversion when the text is built (no printf varargs).
//
//   Format("%s has %d items costing %m", name, count, price)
//
// A conversion is %[index:][-][width][.precision]type; width and
// precision may be * (taken from the next argument, an integer).
//   d  integer; precision: at least that many digits
//   u  integer, unsigned;  x  integer in upper-case hexadecimal
//   e  scientific;  f  fixed;  g  the shorter of both;  n  fixed with
//      thousands separators (f, n: precision = decimals, default 2; e, g:
//      significant digits, default 15)
//   m  money in the settings' currency format (precision: decimals,
//      default the settings' CurrencyDecimals)
//   s  text; precision: at most that many characters
//   c  a character;  p  a pointer;  %%  a percent sign
// Numbers take integers, floating-point values and Currency (exact);
// text takes AnsiString, C strings and characters. A conversion without
// a fitting argument raises EConvertError.
#pragma once
#include <array>
#include <concepts>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "framework/system/currency.h"
#include "framework/system/format_settings.h"

class TFormatArg {
public:
    enum class Kind : uint8_t { Integer, Unsigned, Float, Money, Text, Char, Pointer };

    template <class T>
    TFormatArg(const T& value) {  // NOLINT: every argument converts implicitly
        using V = std::remove_cv_t<T>;
        if constexpr (std::is_same_v<V, Currency>) {
            FKind = Kind::Money;
            FInteger = value.Val;
        } else if constexpr (std::is_same_v<V, char>) {
            FKind = Kind::Char;
            FInteger = static_cast<unsigned char>(value);
        } else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>) {
            using I = std::conditional_t<std::is_enum_v<V>, std::underlying_type<V>, std::type_identity<V>>::type;
            FKind = std::is_signed_v<I> ? Kind::Integer : Kind::Unsigned;
            FInteger = static_cast<int64_t>(static_cast<I>(value));
            FBytes = sizeof(I);
        } else if constexpr (std::is_floating_point_v<V>) {
            FKind = Kind::Float;
            FFloat = static_cast<double>(value);
        } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
            FKind = Kind::Text;
            if constexpr (std::is_pointer_v<V>) {
                FText = value ? std::string_view(value) : std::string_view();
            } else {
                FText = std::string_view(value);
            }
        } else if constexpr (std::is_pointer_v<V>) {
            FKind = Kind::Pointer;
            FInteger = static_cast<int64_t>(reinterpret_cast<uintptr_t>(value));
        } else if constexpr (std::is_convertible_v<const T&, double>) {
            FKind = Kind::Float;  // date and time values
            FFloat = static_cast<double>(value);
        } else {
            static_assert(sizeof(T) == 0, "Format cannot convert this type");
        }
    }

    Kind GetKind() const { return FKind; }
    int64_t Integer() const { return FInteger; }
    int Bytes() const { return FBytes; }
    double Float() const { return FFloat; }
    std::string_view Text() const { return FText; }

private:
    Kind FKind = Kind::Integer;
    int FBytes = 8;
    int64_t FInteger = 0;
    double FFloat = 0;
    std::string_view FText;
};

AnsiString FormatArgs(std::string_view format, const TFormatArg* args, size_t count,
                      const TFormatSettings& settings);

template <class... Args>
AnsiString Format(std::string_view format, const Args&... args) {
    const std::array<TFormatArg, sizeof...(Args)> list{TFormatArg(args)...};
    return FormatArgs(format, list.data(), list.size(), FormatSettings());
}

template <class... Args>
AnsiString Format(const TFormatSettings& settings, std::string_view format, const Args&... args) {
    const std::array<TFormatArg, sizeof...(Args)> list{TFormatArg(args)...};
    return FormatArgs(format, list.data(), list.size(), settings);
}

// Money as %m writes it: the amount with the settings' symbol, position,
// separators and negative format, rounded to decimals (half to even, as
// every number Format writes).
AnsiString FormatMoney(Currency value, int decimals, const TFormatSettings& settings);
