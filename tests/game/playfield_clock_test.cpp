// The virtual clock: intervals, first ticks, ball before keyboard, and
// nothing after the end of the program.
#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/virtual_clock.h"
#include "table.h"

namespace volleon::test {
namespace {

class ClockTest : public ::testing::Test {
protected:
    // Advances and returns the timers that ticked, in order, with their times.
    std::vector<std::pair<Timer, std::int64_t>> run(std::int64_t ms) {
        std::vector<std::pair<Timer, std::int64_t>> ticks;
        clock.advance(ms, [&](Timer timer) { ticks.emplace_back(timer, clock.nowMs()); });
        return ticks;
    }
    Table t;
    VirtualClock clock{t.game, t.field};
};

using Ticks = std::vector<std::pair<Timer, std::int64_t>>;

TEST_F(ClockTest, NothingTicksBeforeTheStart) {
    t.field.pressKey(kKeyEscape);
    t.field.pressKey(kKeyA);
    EXPECT_EQ(clock.advance(60'000), 0u);
    EXPECT_EQ(clock.nowMs(), 60'000);
    EXPECT_FALSE(t.field.ended());
    EXPECT_EQ(t.field.snapshots(), 0);
    EXPECT_FALSE(t.field.piece(Piece::Ball).created);
}

TEST_F(ClockTest, FirstTicksComeOneIntervalAfterTheStartBallFirst) {
    t.game.cmdGo_Click();
    EXPECT_EQ(run(49), Ticks{});
    EXPECT_EQ(run(1), (Ticks{{Timer::Ball, 50}}));
    EXPECT_EQ(run(50), (Ticks{{Timer::Ball, 100}, {Timer::Keyboard, 100}}));
    EXPECT_EQ(run(100), (Ticks{{Timer::Ball, 150}, {Timer::Ball, 200}, {Timer::Keyboard, 200}}));
}

TEST_F(ClockTest, IntervalsCountFromTheMomentOfTheStart) {
    clock.advance(30);
    t.game.cmdGo_Click();
    EXPECT_EQ(run(100), (Ticks{{Timer::Ball, 80}, {Timer::Ball, 130}, {Timer::Keyboard, 130}}));
}

TEST_F(ClockTest, OneSecondHasTwentyBallAndTenKeyboardTicks) {
    t.game.cmdGo_Click();
    EXPECT_EQ(clock.advance(1000), 30u);
    EXPECT_EQ(clock.ballTicks(), 20u);
    EXPECT_EQ(clock.keyboardTicks(), 10u);
    EXPECT_EQ(t.field.snapshots(), 10);
}

TEST_F(ClockTest, RestartKeepsTheTimersRunning) {
    t.game.cmdGo_Click();
    clock.advance(70);
    t.game.cmdGo_Click();
    EXPECT_EQ(run(30), (Ticks{{Timer::Ball, 100}, {Timer::Keyboard, 100}}));
}

TEST_F(ClockTest, ObserverSeesEachTickDone) {
    t.game.cmdGo_Click();
    const float startLeft = t.ballLeft();
    std::vector<float> lefts;
    clock.advance(150, [&](Timer timer) {
        if (timer == Timer::Ball) {
            lefts.push_back(t.ballLeft());
        }
    });
    const float step = t.game.SpeedX;
    EXPECT_EQ(lefts, (std::vector<float>{startLeft + step, startLeft + 2 * step, startLeft + 3 * step}));
}

TEST_F(ClockTest, EscapeEndsEverythingAtTheNextKeyboardTick) {
    t.game.cmdGo_Click();
    t.field.pressKey(kKeySlash);
    t.field.pressKey(kKeyEscape);
    const float batTop = t.field.piece(Piece::RightBat).top;
    EXPECT_EQ(run(10'000), (Ticks{{Timer::Ball, 50}, {Timer::Ball, 100}, {Timer::Keyboard, 100}}));
    EXPECT_TRUE(t.field.ended());
    EXPECT_EQ(t.field.piece(Piece::RightBat).top, batTop + 350.0f);
    const float ballLeft = t.ballLeft();
    EXPECT_EQ(clock.advance(10'000), 0u);
    EXPECT_EQ(t.ballLeft(), ballLeft);
    EXPECT_EQ(clock.ballTicks(), 2u);
    EXPECT_EQ(clock.keyboardTicks(), 1u);
}

}  // namespace
}  // namespace volleon::test
