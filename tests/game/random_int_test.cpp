// RandomInt: one draw per call, floor towards minus infinity, the product and
// the sum kept in double, and overflow errors that still use up their draw.
#include <cmath>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "table.h"

namespace volleon::test {
namespace {

// The largest float below x, for 0 < x.
float below(float x) { return std::nextafter(x, 0.0f); }

class RandomIntTest : public ::testing::Test {
protected:
    std::int16_t draw(float r, std::int16_t low, std::int16_t high) {
        t.field.queueRandom(r);
        return t.game.RandomInt(low, high);
    }
    Table t;
};

TEST_F(RandomIntTest, CoinSplitsAtOneHalf) {
    EXPECT_EQ(draw(0.0f, 0, 1), 0);
    EXPECT_EQ(draw(below(0.5f), 0, 1), 0);
    EXPECT_EQ(draw(0.5f, 0, 1), 1);
    EXPECT_EQ(draw(below(1.0f), 0, 1), 1);
}

TEST_F(RandomIntTest, RangesReachBothEnds) {
    EXPECT_EQ(draw(0.0f, -300, 300), -300);
    EXPECT_EQ(draw(below(1.0f), -300, 300), 300);
    EXPECT_EQ(draw(0.5f, -300, 300), 0);  // 300.5 - 300
    EXPECT_EQ(draw(0.0f, -200, 200), -200);
    EXPECT_EQ(draw(below(1.0f), -200, 200), 200);
    EXPECT_EQ(draw(0.75f, -200, 200), 100);  // 300.75 - 200
    // The widest ranges that still fit 16 bits.
    EXPECT_EQ(draw(below(1.0f), 1, 32767), 32767);
    EXPECT_EQ(draw(below(1.0f), -16384, 16382), 16382);
    EXPECT_EQ(draw(0.0f, -32768, -32768), -32768);
}

TEST_F(RandomIntTest, SingleValueRangeStillDraws) {
    EXPECT_EQ(draw(0.0f, 5, 5), 5);
    EXPECT_EQ(draw(below(1.0f), 5, 5), 5);
    EXPECT_EQ(t.field.randomDraws(), 2u);
    // Without a queued number the generator is used, once per call.
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(t.game.RandomInt(5, 5), 5);
    }
    EXPECT_EQ(t.field.randomDraws(), 12u);
}

TEST_F(RandomIntTest, FloorGoesTowardsMinusInfinity) {
    EXPECT_EQ(draw(0.25f, -300, -299), -300);  // v = -299.5
    EXPECT_EQ(draw(0.25f, -1, 0), -1);         // v = -0.5
    EXPECT_EQ(draw(0.001f, -200, 200), -200);  // v = -199.599...
    EXPECT_EQ(draw(0.25f, 7, 8), 7);           // v = 7.5
}

TEST_F(RandomIntTest, SumIsNotRoundedToFloat) {
    // n * r = 1 - 2^-24 exactly; added to -300 or 100 in float precision the
    // sum would round up to the next whole number.
    const float r = 0x1.fffffep-2f;  // 0.5 - 2^-25
    EXPECT_EQ(draw(r, -300, -299), -300);
    EXPECT_EQ(draw(r, 100, 101), 100);
}

TEST_F(RandomIntTest, ProductIsNotRoundedToFloat) {
    // 601 * r = 300 - 9e-6, which rounds to 300 in float precision.
    const float r = 0x1.ff25e8p-2f;
    EXPECT_EQ(draw(r, -300, 300), -1);
}

TEST_F(RandomIntTest, ReversedBoundsFollowTheSameFormula) {
    // n = 0 - 10 + 1 = -9; v = -9 * 0.5 + 10 = 5.5.
    EXPECT_EQ(draw(0.5f, 10, 0), 5);
}

TEST_F(RandomIntTest, RangeOverflowThrowsAfterItsOneDraw) {
    t.field.queueRandom(0.25f);
    t.field.queueRandom(0.125f);
    t.field.queueRandom(0.75f);
    EXPECT_THROW(t.game.RandomInt(-32768, 32767), std::overflow_error);  // high - low
    EXPECT_EQ(t.field.randomDraws(), 1u);
    EXPECT_THROW(t.game.RandomInt(0, 32767), std::overflow_error);  // (high - low) + 1
    EXPECT_EQ(t.field.randomDraws(), 2u);
    // Each failed call used up its queued number: the next call gets 0.75.
    EXPECT_EQ(t.game.RandomInt(0, 1), 1);
    EXPECT_EQ(t.field.randomDraws(), 3u);
}

TEST_F(RandomIntTest, ResultOutside16BitsThrows) {
    // The generator never hands out such numbers; the rules still check.
    t.field.queueRandom(1.0f);
    EXPECT_THROW(t.game.RandomInt(1, 32767), std::overflow_error);  // 32768
    t.field.queueRandom(-0x1p-24f);
    EXPECT_THROW(t.game.RandomInt(-32768, -32768), std::overflow_error);  // floor -32768.00000006
    t.field.queueRandom(2.0f);
    EXPECT_THROW(t.game.RandomInt(0, 30000), std::overflow_error);
    t.field.queueRandom(-0.5f);
    EXPECT_THROW(t.game.RandomInt(-30000, 0), std::overflow_error);
    EXPECT_EQ(t.field.randomDraws(), 4u);
    // A result just inside the range is fine.
    EXPECT_EQ(draw(1.0f, 0, 32766), 32767);
}

TEST_F(RandomIntTest, NotANumberOrInfinityThrows) {
    t.field.queueRandom(std::numeric_limits<float>::quiet_NaN());
    EXPECT_ANY_THROW(t.game.RandomInt(0, 1));
    t.field.queueRandom(std::numeric_limits<float>::infinity());
    EXPECT_ANY_THROW(t.game.RandomInt(-200, 200));
    t.field.queueRandom(-std::numeric_limits<float>::infinity());
    EXPECT_ANY_THROW(t.game.RandomInt(-200, 200));
    EXPECT_EQ(t.field.randomDraws(), 3u);
}

TEST_F(RandomIntTest, GeneratorValuesStayInRange) {
    t.field.setSeed(7);
    int seen[601] = {};
    for (int i = 0; i < 60100; ++i) {
        const int v = t.game.RandomInt(-300, 300);
        ASSERT_GE(v, -300);
        ASSERT_LE(v, 300);
        ++seen[v + 300];
    }
    // Roughly uniform: every value turns up, none more than three times its share.
    for (int count : seen) {
        EXPECT_GT(count, 0);
        EXPECT_LT(count, 300);
    }
}

}  // namespace
}  // namespace volleon::test
