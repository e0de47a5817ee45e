#include <cmath>
#include <stdexcept>

#include "game.h"

namespace volleon {

namespace {

std::int16_t checkedInt16(int value) {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw std::overflow_error("integer overflow");
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

std::int16_t Game::RandomInt(std::int16_t low, std::int16_t high) {
    // The draw comes first, so every call uses up exactly one number.
    const float r = services_.nextRandom();
    std::int16_t count = checkedInt16(high - low);
    count = checkedInt16(count + 1);
    // Product and sum in double precision, with no rounding between them.
    const double value = static_cast<double>(static_cast<float>(count)) * static_cast<double>(r) +
                         static_cast<double>(static_cast<float>(low));
    const double floored = std::floor(value);
    if (!(floored >= INT16_MIN && floored <= INT16_MAX)) {
        throw std::overflow_error("integer overflow");
    }
    return static_cast<std::int16_t>(floored);
}

}  // namespace volleon
