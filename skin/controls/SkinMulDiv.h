// The system's MulDiv for window-free code: scaling sizes and positions by a
// ratio the way the drawing calls do.
#pragma once

#include <cstdint>

// MulDiv: a * b / c in 64 bits, rounded half away from zero; -1 when c is 0
// or the result does not fit 32 bits.
inline std::int32_t SkinMulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t magnitude =
        product < 0 ? static_cast<std::uint64_t>(-product) : static_cast<std::uint64_t>(product);
    const std::uint64_t divisor =
        c < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(c)) : static_cast<std::uint64_t>(c);
    // cppcheck-suppress zerodivcond ; c == 0 returned above, so the divisor is at least 1
    const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > 0x7FFFFFFFu) return -1;
    const std::int32_t result = static_cast<std::int32_t>(quotient);
    return negative ? -result : result;
}
