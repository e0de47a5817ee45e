#include "game.h"

#include <stdexcept>

namespace volleon {

Game::Game(Services& services) : services_(services) {}

std::int16_t ToNegative(std::int16_t value) {
    return value > 0 ? static_cast<std::int16_t>(-value) : value;
}

std::int16_t ToPositive(std::int16_t value) {
    if (value > 0) {
        return value;
    }
    if (value == INT16_MIN) {
        throw std::overflow_error("integer overflow");
    }
    return static_cast<std::int16_t>(-value);
}

}  // namespace volleon
