// Checked single-precision arithmetic for window geometry. Geometry is held
// as 32-bit floats; a result that overflows or is not a number raises an
// error instead of reaching a window.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace volleon::arithmetic {

// Rounds a result to a 32-bit float.
inline float toSingle(double value) {
    if (std::isnan(value)) {
        throw std::domain_error("invalid floating-point result");
    }
    const float single = static_cast<float>(value);
    if (std::isinf(single)) {
        throw std::overflow_error("floating-point overflow");
    }
    return single;
}

// The sum of two 32-bit floats, rounded to a 32-bit float.
inline float sum(float a, float b) {
    return toSingle(static_cast<double>(a) + static_cast<double>(b));
}

// A quotient rounded to the nearest 32-bit integer, an exact half going to
// the even neighbour.
inline std::int32_t roundedQuotient(double dividend, double divisor) {
    if (divisor == 0.0) {
        throw std::domain_error("division by zero");
    }
    const double rounded = std::nearbyint(dividend / divisor);
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) {
        throw std::overflow_error("integer overflow");
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace volleon::arithmetic
