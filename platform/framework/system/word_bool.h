// WordBool: a 16-bit truth value as the platform's automation passes it:
// 0 is false, any other value true, and true is written as -1.
#pragma once
#include <cstdint>

class WordBool {
public:
    constexpr WordBool() = default;
    constexpr WordBool(bool value) : Val(value ? -1 : 0) {}
    constexpr operator bool() const { return Val != 0; }

    int16_t Val = 0;
};
