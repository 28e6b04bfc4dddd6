#include "framework/system/currency.h"

#include <cmath>

#include "framework/system/exceptions.h"

namespace {

[[noreturn]] void Overflow() { throw EOverflow("Currency value out of range"); }

// An unsigned 128-bit number, enough for the product of two amounts
// before it is scaled back; written out because 32-bit targets have no
// 128-bit integer type.
struct Wide {
    uint64_t hi = 0, lo = 0;
};

Wide Multiply(uint64_t a, uint64_t b) {
    uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32, b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    Wide r;
    r.lo = (middle << 32) | (p00 & 0xFFFFFFFFu);
    r.hi = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
    return r;
}

// n / d rounded half to even; false when the quotient needs more than
// 64 bits.
bool DivideRounded(Wide n, uint64_t d, uint64_t& quotient) {
    if (n.hi >= d) return false;
    uint64_t q = 0, r = n.hi;
    for (int bit = 63; bit >= 0; --bit) {
        bool carry = (r >> 63) != 0;
        r = (r << 1) | ((n.lo >> bit) & 1);
        q <<= 1;
        if (carry || r >= d) {
            r -= d;
            q |= 1;
        }
    }
    uint64_t rest = d - r;  // r > rest: above one half
    if (r > rest || (r == rest && (q & 1))) {
        if (q == UINT64_MAX) return false;
        ++q;
    }
    quotient = q;
    return true;
}

uint64_t Magnitude(int64_t v) { return v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v); }

int64_t Signed(uint64_t magnitude, bool negative) {
    if (negative) {
        if (magnitude > uint64_t(1) << 63) Overflow();
        return static_cast<int64_t>(0 - magnitude);
    }
    if (magnitude > static_cast<uint64_t>(INT64_MAX)) Overflow();
    return static_cast<int64_t>(magnitude);
}

// a * b / d with the sign of a * b, rounded half to even.
int64_t MulDiv(int64_t a, uint64_t b, uint64_t d, bool negate) {
    uint64_t q = 0;
    if (!DivideRounded(Multiply(Magnitude(a), b), d, q)) Overflow();
    return Signed(q, (a < 0) != negate);
}

}  // namespace

int64_t Currency::FromUnits(int64_t units) {
    if (units > INT64_MAX / Scale || units < INT64_MIN / Scale) Overflow();
    return units * Scale;
}

Currency::Currency(double value) {
    double scaled = std::nearbyint(value * Scale);  // the default rounding: half to even
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) Overflow();
    Val = static_cast<int64_t>(scaled);
}

Currency Currency::operator-() const {
    if (Val == INT64_MIN) Overflow();
    return FromRaw(-Val);
}

Currency& Currency::operator+=(Currency other) {
    int64_t sum = 0;
    if (__builtin_add_overflow(Val, other.Val, &sum)) Overflow();
    Val = sum;
    return *this;
}

Currency& Currency::operator-=(Currency other) {
    int64_t difference = 0;
    if (__builtin_sub_overflow(Val, other.Val, &difference)) Overflow();
    Val = difference;
    return *this;
}

Currency& Currency::operator*=(Currency other) {
    Val = MulDiv(Val, Magnitude(other.Val), Scale, other.Val < 0);
    return *this;
}

Currency& Currency::operator/=(Currency other) {
    if (other.Val == 0) throw EZeroDivide("Division by zero");
    Val = MulDiv(Val, Scale, Magnitude(other.Val), other.Val < 0);
    return *this;
}
