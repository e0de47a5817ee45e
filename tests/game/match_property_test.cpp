// Whole matches on the virtual clock: a scripted one from the start button to
// Escape, and a day of play with random keys checked after every ball tick.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/virtual_clock.h"
#include "table.h"

namespace volleon::test {
namespace {

std::string scoreText(float left, float right) {
    return std::to_string(static_cast<long>(left)) + " : " + std::to_string(static_cast<long>(right));
}

TEST(ScriptedMatch, FromGoToEscape) {
    Table t;
    VirtualClock clock(t.game, t.field);
    t.field.queueRandom(0.0f);  // serve to the right
    t.field.queueRandom(0.5f);  // level flight: SpeedY 0
    t.field.queueRandom(0.5f);  // the left bat's return: SpeedY 0 again
    std::vector<std::int64_t> turns;   // when SpeedX changed sign
    std::vector<std::int64_t> points;  // when the left player scored
    std::int16_t lastSpeedX = 0;
    float lastScore = 0.0f;
    const auto watch = [&](Timer timer) {
        if (timer != Timer::Ball) {
            return;
        }
        if (t.game.SpeedX != lastSpeedX) {
            turns.push_back(clock.nowMs());
        }
        if (t.game.ScoreLeft != lastScore) {
            points.push_back(clock.nowMs());
        }
        lastSpeedX = t.game.SpeedX;
        lastScore = t.game.ScoreLeft;
    };

    t.game.cmdGo_Click();
    lastSpeedX = t.game.SpeedX;
    ASSERT_EQ(lastSpeedX, 400);
    // The right player lifts the bat out of the ball's path: four keyboard
    // ticks, at 100 to 400 ms, take it from 7335 to 5935, above the ball.
    t.field.pressKey(kKeyApostrophe);
    clock.advance(450, watch);
    t.field.releaseKey(kKeyApostrophe);
    EXPECT_EQ(t.field.piece(Piece::RightBat).top, 5935.0f);
    EXPECT_EQ(t.ballLeft(), 13897.5f + 9 * 400.0f);

    clock.advance(9000 - 450, watch);
    // 35th tick: the ball reaches the right edge, the left player scores.
    // 104th tick: the left bat returns it from Left 194 to 586.
    // 173rd tick: the right edge again.
    EXPECT_EQ(points, (std::vector<std::int64_t>{1750, 8650}));
    EXPECT_EQ(turns, (std::vector<std::int64_t>{1750, 5200, 8650}));
    EXPECT_EQ(t.field.scoreText(), "2 : 0");
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(t.field.randomDraws(), 3u);
    EXPECT_EQ(t.ballTop(), 7597.5f);  // level all the way
    EXPECT_FALSE(t.field.ended());

    // Z and Escape together: the left bat moves down, then the program ends.
    t.field.pressKey(kKeyZ);
    t.field.pressKey(kKeyEscape);
    EXPECT_EQ(clock.advance(60'000, watch), 3u);  // ball at 9050 and 9100, keyboard at 9100
    EXPECT_TRUE(t.field.ended());
    EXPECT_EQ(t.field.piece(Piece::LeftBat).top, 7335.0f + 350.0f);
    EXPECT_EQ(t.ballLeft(), 27794.0f - 9 * 400.0f);
    EXPECT_EQ(clock.ballTicks(), 182u);
    EXPECT_EQ(clock.keyboardTicks(), 91u);
    EXPECT_EQ(clock.advance(60'000, watch), 0u);
}

// A player that follows the ball half of the time and otherwise presses keys
// at random, always coming back when the bat has wandered off the screen.
class RandomPlayer {
public:
    RandomPlayer(Playfield& field, std::uint32_t seed) : field_(field), rng_(seed) {}

    void move(Piece bat, int up, int down) {
        const float top = field_.piece(bat).top;
        const float middle = top + field_.piece(bat).height / 2.0f;
        const float ball = field_.piece(Piece::Ball).top + field_.piece(Piece::Ball).height / 2.0f;
        int choice = static_cast<int>(rng_() % 8);
        if (top > field_.screenHeight()) {
            choice = 1;  // up
        } else if (top + field_.piece(bat).height < 0.0f) {
            choice = 2;  // down
        } else if (choice < 4) {
            choice = middle > ball ? 1 : 2;
        }
        // 0: none; 1: up; 2: down; 3: both; 4-7: leave the keys as they are.
        if (choice <= 3) {
            field_.setKeyByte(up, (choice & 1) ? 0x80 : 0x00);
            field_.setKeyByte(down, (choice & 2) ? 0x81 : 0x01);
        }
    }

    std::int64_t pause() { return 50 + static_cast<std::int64_t>(rng_() % 1500); }

private:
    Playfield& field_;
    std::mt19937 rng_;
};

TEST(MatchProperty, DayOfRandomPlay) {
    constexpr std::int64_t kDayMs = 86'400'000;
    Table t;
    t.field.setSeed(20240917);
    VirtualClock clock(t.game, t.field);
    RandomPlayer player(t.field, 4242);

    t.game.cmdGo_Click();
    float scoreLeft = t.game.ScoreLeft;
    float scoreRight = t.game.ScoreRight;
    std::uint64_t draws = t.field.randomDraws();
    std::string expectedText = scoreText(scoreLeft, scoreRight);
    std::uint64_t points = 0;
    std::uint64_t returns = 0;
    std::uint64_t badTicks = 0;
    std::string firstBad;

    const auto check = [&](Timer timer) {
        if (timer != Timer::Ball) {
            return;
        }
        const Game& g = t.game;
        const auto& ball = t.field.piece(Piece::Ball);
        std::ostringstream why;
        if (!(ball.left > 0.0f) || !(double(ball.left) + ball.width < kScreenWidth)) {
            why << "ball left " << ball.left << ' ';
        }
        if (!(ball.top > 0.0f) || !(double(ball.top) + ball.height < kScreenHeight)) {
            why << "ball top " << ball.top << ' ';
        }
        if (std::abs(g.SpeedX) != 400) {
            why << "SpeedX " << g.SpeedX << ' ';
        }
        if (std::abs(g.SpeedY) > 300) {
            why << "SpeedY " << g.SpeedY << ' ';
        }
        const float addLeft = g.ScoreLeft - scoreLeft;
        const float addRight = g.ScoreRight - scoreRight;
        if ((addLeft != 0.0f && addLeft != 1.0f) || (addRight != 0.0f && addRight != 1.0f)) {
            why << "score step " << addLeft << ", " << addRight << ' ';
        }
        if (addLeft != 0.0f || addRight != 0.0f) {
            points += static_cast<std::uint64_t>(addLeft + addRight);
            scoreLeft = g.ScoreLeft;
            scoreRight = g.ScoreRight;
            expectedText = scoreText(scoreLeft, scoreRight);
        }
        if (t.field.scoreText() != expectedText) {
            why << "text '" << t.field.scoreText() << "' ";
        }
        const std::uint64_t newDraws = t.field.randomDraws() - draws;
        draws = t.field.randomDraws();
        if (newDraws > 0 && std::abs(g.SpeedY) > 200) {
            why << "SpeedY after a return " << g.SpeedY << ' ';
        }
        returns += newDraws;
        if (t.field.piece(Piece::LeftBat).left != 0.0f || t.field.piece(Piece::RightBat).left != kRightFace) {
            why << "bat moved sideways ";
        }
        if (!why.str().empty()) {
            if (badTicks++ == 0) {
                firstBad = "at " + std::to_string(clock.nowMs()) + " ms: " + why.str();
            }
        }
    };

    while (clock.nowMs() < kDayMs) {
        player.move(Piece::LeftBat, kKeyA, kKeyZ);
        player.move(Piece::RightBat, kKeyApostrophe, kKeySlash);
        clock.advance(std::min(player.pause(), kDayMs - clock.nowMs()), check);
    }

    EXPECT_EQ(badTicks, 0u) << firstBad;
    EXPECT_EQ(clock.ballTicks(), 1'728'000u);
    EXPECT_EQ(clock.keyboardTicks(), 864'000u);
    EXPECT_FALSE(t.field.ended());
    // The run really played: both players scored and the bats returned balls.
    EXPECT_GT(t.game.ScoreLeft, 0.0f);
    EXPECT_GT(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(static_cast<float>(points), t.game.ScoreLeft + t.game.ScoreRight);
    EXPECT_GT(returns, points / 10);
    // The same day to the last tick on every processor: the rules round
    // where they say, whatever instructions the compiler has.
    EXPECT_EQ(points, 19'248u);
    EXPECT_EQ(returns, 6'358u);
    RecordProperty("points", static_cast<int>(points));
    RecordProperty("returns", static_cast<int>(returns));
}

}  // namespace
}  // namespace volleon::test
