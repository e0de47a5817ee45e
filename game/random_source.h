// A uniform source of 32-bit floats in [0, 1) that can be reseeded, for the
// bindings of Services::nextRandom and Services::seedRandom.
#pragma once

#include <chrono>
#include <cstdint>
#include <random>

namespace volleon {

class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 0) { reseed(seed); }

    void reseed(std::uint64_t seed) {
        std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
        engine_.seed(sequence);
    }

    // Reseeds from the system clock, so that each match starts differently.
    void reseedFromClock() {
        const auto now = std::chrono::system_clock::now().time_since_epoch().count() ^
                         std::chrono::steady_clock::now().time_since_epoch().count();
        reseed(static_cast<std::uint64_t>(now));
    }

    // The top 24 bits of a draw scaled by 2^-24: every value is exact in a
    // float, so 0 can come out and 1 never.
    float next() { return static_cast<float>(engine_() >> 8) * 0x1p-24f; }

private:
    std::mt19937 engine_;
};

}  // namespace volleon
