// Drives the rules with arbitrary desktops and arbitrary sequences of button
// presses, ticks and calls. An exception derived from std::exception is an
// allowed outcome of any call; a sanitizer report, any other crash or a
// broken invariant (checked below, ending in a trap) is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <limits>

#include <fuzzer/FuzzedDataProvider.h>

#include "game/game.h"
#include "game/playfield.h"
#include "game/virtual_clock.h"

namespace volleon {
namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Mostly screen-like values, then raw floats, then the special ones.
float anyFloat(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 9)) {
    case 0: return std::numeric_limits<float>::quiet_NaN();
    case 1: return std::numeric_limits<float>::infinity();
    case 2: return -std::numeric_limits<float>::infinity();
    case 3: return std::numeric_limits<float>::max();
    case 4: return std::numeric_limits<float>::denorm_min();
    case 5: return in.ConsumeFloatingPoint<float>();
    case 6: return in.ConsumeProbability<float>();
    default: return in.ConsumeFloatingPointInRange<float>(-40000.0f, 40000.0f);
    }
}

Piece anyPiece(FuzzedDataProvider& in) {
    return in.PickValueInArray({Piece::Ball, Piece::LeftBat, Piece::RightBat});
}

bool finite(float value) { return std::isfinite(value); }

// A game on a playfield, with a mirror of the numbers queued on the
// playfield so that the harness knows what the next draw hands out.
class Harness {
public:
    explicit Harness(std::uint64_t seed) { field_.setSeed(seed); }

    bool ended() const { return field_.ended(); }

    void step(FuzzedDataProvider& in) {
        try {
            act(in);
        } catch (const std::exception&) {
            // An arithmetic error stops the handler that raised it; play goes on.
        }
        // Each draw takes the oldest queued number, if there is one.
        for (; seenDraws_ < field_.randomDraws(); ++seenDraws_) {
            if (!queued_.empty()) {
                queued_.pop_front();
            }
        }
    }

private:
    void act(FuzzedDataProvider& in) {
        switch (in.ConsumeIntegralInRange<int>(0, 16)) {
        case 0: {
            const float width = anyFloat(in);
            field_.setScreenSize(width, anyFloat(in));
            break;
        }
        case 1: {
            const float x = anyFloat(in);
            field_.setTwipsPerPixel(x, anyFloat(in));
            break;
        }
        case 2: {
            const Piece piece = anyPiece(in);
            const float width = anyFloat(in);
            field_.setPieceSize(piece, width, anyFloat(in));
            break;
        }
        case 3: {
            const Piece piece = anyPiece(in);
            const float left = anyFloat(in);
            field_.placePiece(piece, left, anyFloat(in));
            break;
        }
        case 4:
            game_.SpeedX = in.ConsumeIntegral<std::int16_t>();
            game_.SpeedY = in.ConsumeIntegral<std::int16_t>();
            break;
        case 5:
            game_.ScoreLeft = anyFloat(in);
            game_.ScoreRight = anyFloat(in);
            break;
        case 6: queue(anyFloat(in)); break;
        case 7: {
            const int code = in.ConsumeIntegralInRange<int>(0, 255);
            field_.setKeyByte(code, in.ConsumeIntegral<std::uint8_t>());
            break;
        }
        case 8: start(); break;
        case 9: ballTick(); break;
        case 10: keyboardTick(); break;
        case 11: game_.cmdKbrdTest_Click(); break;
        case 12: {
            const auto addLeft = in.ConsumeIntegral<std::int16_t>();
            game_.AddScore(addLeft, in.ConsumeIntegral<std::int16_t>());
            require(finite(game_.ScoreLeft) && finite(game_.ScoreRight));
            break;
        }
        case 13: randomInt(in); break;
        case 14: {
            const auto value = in.ConsumeIntegral<std::int16_t>();
            const std::int16_t negative = ToNegative(value);
            const std::int16_t positive = ToPositive(value);
            require(negative <= 0 && positive >= 0);
            break;
        }
        case 15: clock_.advance(in.ConsumeIntegralInRange<std::int64_t>(0, 2000)); break;
        default: field_.releaseAllKeys(); break;
        }
    }

    void queue(float r) {
        field_.queueRandom(r);
        queued_.push_back(r);
    }

    // Whether the next draw is a number the generator may hand out.
    bool nextDrawInRange() const { return queued_.empty() || (queued_.front() >= 0.0f && queued_.front() < 1.0f); }

    void start() {
        game_.cmdGo_Click();
        require(game_.SpeedX == 400 || game_.SpeedX == -400);
        require(game_.ScoreLeft == 0.0f && game_.ScoreRight == 0.0f);
        require(field_.scoreText() == "0 : 0");
        require(field_.timerEnabled(Timer::Ball) && field_.timerEnabled(Timer::Keyboard));
    }

    void ballTick() {
        const int scoreWrites = field_.scoreTextWrites();
        game_.timerBall_Timer();
        // The step always writes the ball's position: a tick that returns has
        // written no infinity and no NaN there, nor in a score it added to.
        require(finite(field_.piece(Piece::Ball).left) && finite(field_.piece(Piece::Ball).top));
        if (field_.scoreTextWrites() != scoreWrites) {
            require(finite(game_.ScoreLeft) && finite(game_.ScoreRight));
        }
    }

    void keyboardTick() {
        const bool leftFinite = finite(field_.piece(Piece::LeftBat).top);
        const bool rightFinite = finite(field_.piece(Piece::RightBat).top);
        game_.timerKbrd_Timer();
        require(!leftFinite || finite(field_.piece(Piece::LeftBat).top));
        require(!rightFinite || finite(field_.piece(Piece::RightBat).top));
    }

    void randomInt(FuzzedDataProvider& in) {
        if (in.ConsumeBool()) {
            queue(anyFloat(in));
        }
        const auto low = in.ConsumeIntegral<std::int16_t>();
        const auto high = in.ConsumeIntegral<std::int16_t>();
        const bool inRange = nextDrawInRange();
        struct OneDraw {  // checked on the way out, thrown or not
            Playfield& field;
            std::uint64_t before;
            ~OneDraw() { require(field.randomDraws() == before + 1); }
        } oneDraw{field_, field_.randomDraws()};
        const std::int16_t value = game_.RandomInt(low, high);
        if (low <= high && inRange) {
            require(low <= value && value <= high);
        }
    }

    Playfield field_;
    Game game_{field_};
    VirtualClock clock_{game_, field_};
    std::deque<float> queued_;
    std::uint64_t seenDraws_ = 0;
};

}  // namespace
}  // namespace volleon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    volleon::Harness harness(in.ConsumeIntegral<std::uint64_t>());
    // Nothing runs after the end of the program.
    for (int steps = 0; steps < 512 && in.remaining_bytes() > 0 && !harness.ended(); ++steps) {
        harness.step(in);
    }
    return 0;
}
