// Currency: money as a 64-bit count of ten-thousandths, so sums and
// products of amounts with four decimals stay exact. Results that do not
// fit raise EOverflow; division by zero raises EZeroDivide. Products and
// quotients are rounded to four decimals, half to even.
#pragma once
#include <compare>
#include <concepts>
#include <cstdint>

class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;
    // Whole units.
    template <std::integral T>
    Currency(T units) : Val(FromUnits(static_cast<int64_t>(units))) {}
    // Rounded to four decimals, half to even.
    Currency(double value);
    static constexpr Currency FromRaw(int64_t raw) {
        Currency c;
        c.Val = raw;
        return c;
    }

    double ToDouble() const { return static_cast<double>(Val) / Scale; }
    // Whole units, the fraction dropped (toward zero).
    int64_t Trunc() const { return Val / Scale; }

    Currency operator-() const;
    Currency& operator+=(Currency other);
    Currency& operator-=(Currency other);
    Currency& operator*=(Currency other);
    Currency& operator/=(Currency other);
    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }
    friend Currency operator*(Currency a, Currency b) { return a *= b; }
    friend Currency operator/(Currency a, Currency b) { return a /= b; }
    friend constexpr bool operator==(Currency a, Currency b) { return a.Val == b.Val; }
    friend constexpr auto operator<=>(Currency a, Currency b) { return a.Val <=> b.Val; }

    int64_t Val = 0;  // the amount times 10000

private:
    static int64_t FromUnits(int64_t units);
};
