// The start button: the untouched state before it, the ball's round region,
// the bats at the side edges, the reset score, the serve, and restarts.
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "table.h"

namespace volleon::test {
namespace {

constexpr float kCentreLeft = (kScreenWidth - kBallSize) / 2.0f;  // 13897.5
constexpr float kCentreTop = (kScreenHeight - kBallSize) / 2.0f;  // 7597.5
constexpr float kBatCentreTop = (kScreenHeight - kBatHeight) / 2.0f;  // 7335

TEST(MatchStart, NothingIsTouchedBeforeTheStart) {
    Table t;
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        EXPECT_FALSE(t.field.piece(piece).created);
    }
    EXPECT_EQ(t.field.scoreText(), "0:0");
    EXPECT_EQ(t.field.scoreTextWrites(), 0);
    EXPECT_EQ(t.field.randomDraws(), 0u);
    EXPECT_EQ(t.field.reseeds(), 0);
    EXPECT_EQ(t.field.snapshots(), 0);
    EXPECT_FALSE(t.field.ballRegion().has_value());
    EXPECT_FALSE(t.field.timerEnabled(Timer::Ball));
    EXPECT_FALSE(t.field.timerEnabled(Timer::Keyboard));
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(t.game.SpeedX, 0);
    EXPECT_EQ(t.game.SpeedY, 0);
    for (std::uint8_t byte : t.game.KeyState) {
        EXPECT_EQ(byte, 0);
    }
}

TEST(MatchStart, FirstStartSetsUpTheMatch) {
    Table t;
    t.field.queueRandom(0.25f);  // RandomInt(0, 1) = 0: serve to the right
    t.field.queueRandom(0.0f);   // RandomInt(-300, 300) = -300
    t.game.cmdGo_Click();

    ASSERT_TRUE(t.field.ballRegion().has_value());
    EXPECT_EQ(t.field.ballRegion()->right, 67);
    EXPECT_EQ(t.field.ballRegion()->bottom, 67);

    const auto& ball = t.field.piece(Piece::Ball);
    EXPECT_TRUE(ball.shown);
    EXPECT_EQ(ball.left, kCentreLeft);
    EXPECT_EQ(ball.top, kCentreTop);
    const auto& left = t.field.piece(Piece::LeftBat);
    const auto& right = t.field.piece(Piece::RightBat);
    EXPECT_TRUE(left.shown);
    EXPECT_TRUE(right.shown);
    EXPECT_EQ(left.left, 0.0f);
    EXPECT_EQ(right.left, kScreenWidth - kBatWidth);
    EXPECT_EQ(left.top, kBatCentreTop);
    EXPECT_EQ(right.top, kBatCentreTop);

    EXPECT_EQ(t.field.scoreText(), "0 : 0");
    EXPECT_EQ(t.field.scoreTextWrites(), 1);
    EXPECT_EQ(t.field.reseeds(), 1);
    EXPECT_EQ(t.field.randomDraws(), 2u);
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.game.SpeedY, -300);
    EXPECT_TRUE(t.field.timerEnabled(Timer::Ball));
    EXPECT_TRUE(t.field.timerEnabled(Timer::Keyboard));
    EXPECT_EQ(t.field.snapshots(), 0);
    EXPECT_FALSE(t.field.ended());
}

TEST(MatchStart, ServeDirectionAndVerticalSpeed) {
    struct Case {
        float coin;
        float vertical;
        std::int16_t speedX;
        std::int16_t speedY;
    };
    for (const Case c : {Case{0.5f, 0x1.fffffep-1f, -400, 300}, Case{0x1.fffffep-2f, 0.5f, 400, 0},
                         Case{0.0f, 0.25f, 400, -150}, Case{0.75f, 0.75f, -400, 150}}) {
        SCOPED_TRACE(c.coin);
        Table t;
        t.field.queueRandom(c.coin);
        t.field.queueRandom(c.vertical);
        t.game.cmdGo_Click();
        EXPECT_EQ(t.game.SpeedX, c.speedX);
        EXPECT_EQ(t.game.SpeedY, c.speedY);
    }
}

TEST(MatchStart, ServesFromTheGeneratorStayInRange) {
    Table t;
    t.field.setSeed(99);
    int left = 0;
    int right = 0;
    for (int i = 0; i < 400; ++i) {
        t.game.cmdGo_Click();
        ASSERT_TRUE(t.game.SpeedX == 400 || t.game.SpeedX == -400);
        ASSERT_GE(t.game.SpeedY, -300);
        ASSERT_LE(t.game.SpeedY, 300);
        (t.game.SpeedX > 0 ? right : left) += 1;
    }
    EXPECT_EQ(t.field.randomDraws(), 800u);
    EXPECT_EQ(t.field.reseeds(), 400);
    EXPECT_GT(left, 100);
    EXPECT_GT(right, 100);
}

struct RegionCase {
    const char* name;
    float ballWidth;
    float ballHeight;
    float twipsPerPixelX;
    float twipsPerPixelY;
    std::int32_t right;
    std::int32_t bottom;
};

void PrintTo(const RegionCase& c, std::ostream* os) {
    *os << c.ballWidth << " x " << c.ballHeight << " twips at " << c.twipsPerPixelX << " x " << c.twipsPerPixelY;
}

class BallRegion : public ::testing::TestWithParam<RegionCase> {};

TEST_P(BallRegion, QuotientsRoundToNearestTiesToEven) {
    const RegionCase c = GetParam();
    Table t;
    t.field.setTwipsPerPixel(c.twipsPerPixelX, c.twipsPerPixelY);
    t.field.setPieceSize(Piece::Ball, c.ballWidth, c.ballHeight);
    t.game.cmdGo_Click();
    ASSERT_TRUE(t.field.ballRegion().has_value());
    EXPECT_EQ(t.field.ballRegion()->right, c.right);
    EXPECT_EQ(t.field.ballRegion()->bottom, c.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Quotients, BallRegion,
    ::testing::Values(RegionCase{"Designed", 1005.0f, 1005.0f, 15.0f, 15.0f, 67, 67},
                      RegionCase{"HalvesToEven", 997.5f, 1012.5f, 15.0f, 15.0f, 66, 68},  // 66.5, 67.5
                      RegionCase{"HalvesToEvenSwapped", 1012.5f, 997.5f, 15.0f, 15.0f, 68, 66},
                      RegionCase{"NearestNotTruncated", 996.0f, 999.0f, 15.0f, 15.0f, 66, 67},  // 66.4, 66.6
                      RegionCase{"HeightByPixelHeight", 1005.0f, 1005.0f, 15.0f, 12.0f, 67, 84},  // 83.75
                      RegionCase{"WidthByPixelWidth", 1005.0f, 1005.0f, 12.0f, 15.0f, 84, 67},
                      // 66.50000057: as a float it would be the tie 66.5 and go to 66.
                      RegionCase{"WidthQuotientNotAFloat", 0x1.f4810ep+9f, 1005.0f, 0x1.e1b02cp+3f, 15.0f, 67, 67},
                      RegionCase{"HeightQuotientNotAFloat", 1005.0f, 0x1.f4810ep+9f, 15.0f, 0x1.e1b02cp+3f, 67, 67}),
    [](const ::testing::TestParamInfo<RegionCase>& info) { return std::string(info.param.name); });

TEST(MatchStart, ImpossibleRegionThrows) {
    Table zero;
    zero.field.setTwipsPerPixel(0.0f, 15.0f);
    EXPECT_ANY_THROW(zero.game.cmdGo_Click());
    EXPECT_FALSE(zero.field.ballRegion().has_value());

    Table huge;
    huge.field.setPieceSize(Piece::Ball, 1e12f, 1005.0f);  // 6.7e10 pixels: beyond 32 bits
    EXPECT_ANY_THROW(huge.game.cmdGo_Click());
    EXPECT_FALSE(huge.field.ballRegion().has_value());
}

TEST(MatchStart, BatsGoFlushAgainstTheEdgesByTheirOwnWidth) {
    Table t;
    t.field.setTwipsPerPixel(12.0f, 12.0f);  // bats 579 x 1524
    t.game.cmdGo_Click();
    EXPECT_EQ(t.field.piece(Piece::RightBat).left, kScreenWidth - 579.0f);
    EXPECT_EQ(t.field.piece(Piece::RightBat).top, (kScreenHeight - 1524.0f) / 2.0f);
    EXPECT_EQ(t.field.piece(Piece::LeftBat).left, 0.0f);
    EXPECT_EQ(t.field.ballRegion()->right, 84);  // 1005 / 12 = 83.75
}

TEST(MatchStart, ServeLeavesAPlacedBallWhereItIs) {
    Table t;
    t.placeBall(5000.0f, 3000.0f, 0, 0);
    t.game.cmdGo_Click();
    EXPECT_EQ(t.ballLeft(), 5000.0f);
    EXPECT_EQ(t.ballTop(), 3000.0f);
    EXPECT_TRUE(t.field.piece(Piece::Ball).shown);
}

TEST(MatchStart, RestartInMidMatch) {
    Table t;
    t.game.cmdGo_Click();
    for (int i = 0; i < 10; ++i) {
        t.game.timerBall_Timer();
    }
    t.game.AddScore(3, 5);
    t.field.pressKey(kKeyApostrophe);
    for (int i = 0; i < 30; ++i) {
        t.game.timerKbrd_Timer();  // the right bat leaves the screen at the top
    }
    t.field.releaseAllKeys();
    t.field.placePiece(Piece::LeftBat, 200.0f, t.field.piece(Piece::LeftBat).top);  // knocked sideways
    t.field.setScreenSize(30000.0f, kScreenHeight);  // a wider screen from now on
    const float ballLeft = t.ballLeft();
    const float ballTop = t.ballTop();
    const float rightTop = t.field.piece(Piece::RightBat).top;
    ASSERT_EQ(rightTop, kBatCentreTop - 30 * 350.0f);
    ASSERT_NE(ballLeft, kCentreLeft);

    t.field.queueRandom(0.9f);  // serve to the left
    t.field.queueRandom(0.0f);  // -300
    t.game.cmdGo_Click();
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(t.field.scoreText(), "0 : 0");
    EXPECT_EQ(t.ballLeft(), ballLeft);
    EXPECT_EQ(t.ballTop(), ballTop);
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.game.SpeedY, -300);
    EXPECT_EQ(t.field.piece(Piece::RightBat).left, 30000.0f - kBatWidth);
    EXPECT_EQ(t.field.piece(Piece::RightBat).top, rightTop);
    EXPECT_EQ(t.field.piece(Piece::LeftBat).left, 0.0f);
    EXPECT_EQ(t.field.piece(Piece::LeftBat).top, kBatCentreTop);
    EXPECT_EQ(t.field.regionsMade(), 2);
    EXPECT_EQ(t.field.reseeds(), 2);
    EXPECT_EQ(t.field.piece(Piece::Ball).showCalls, 2);
    EXPECT_EQ(t.field.piece(Piece::LeftBat).showCalls, 2);
    EXPECT_EQ(t.field.piece(Piece::RightBat).showCalls, 2);
    EXPECT_TRUE(t.field.timerEnabled(Timer::Ball));
    EXPECT_TRUE(t.field.timerEnabled(Timer::Keyboard));
}

}  // namespace
}  // namespace volleon::test
