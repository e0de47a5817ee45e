// The two bat tests: their hit zones, the senses of their comparisons, and how
// they combine with the edge tests and with each other in one tick.
#include <ostream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "table.h"

namespace volleon::test {
namespace {

constexpr float kLeftFace = kBatWidth;  // right edge of the left bat at Left 0

TEST(BatReturn, WorkedRallyOnTheRight) {
    Table t;
    t.placeBats(7335.0f, 7335.0f);
    t.placeBall(26900.0f, 7000.0f, 400, 50);
    t.field.queueRandom(0.75f);  // RandomInt(-200, 200) = 100
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), kRightFace - kBallSize - 1.0f);  // 27209
    EXPECT_EQ(t.ballTop(), 7050.0f);
    EXPECT_EQ(t.game.SpeedY, 100);
    EXPECT_EQ(t.field.randomDraws(), 1u);
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
    EXPECT_EQ(t.field.scoreTextWrites(), 0);
}

TEST(BatReturn, WorkedRallyOnTheLeft) {
    Table t;
    t.placeBats(7335.0f, 7335.0f);
    t.placeBall(900.0f, 7000.0f, -400, -50);
    t.field.queueRandom(0.0f);  // -200
    t.game.timerBall_Timer();  // Left 500 has passed the face at 585
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.ballLeft(), 586.0f);
    EXPECT_EQ(t.ballTop(), 6950.0f);
    EXPECT_EQ(t.game.SpeedY, -200);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
}

TEST(BatReturn, FaceReachedExactlyReturns) {
    Table right;
    right.placeBats(7335.0f, 7335.0f);
    right.placeBall(kRightFace - kBallSize - 400.0f, 7000.0f, 400, 0);  // steps to touch the face
    right.game.timerBall_Timer();
    EXPECT_EQ(right.game.SpeedX, -400);
    EXPECT_EQ(right.ballLeft(), kRightFace - kBallSize - 1.0f);

    Table left;
    left.placeBats(7335.0f, 7335.0f);
    left.placeBall(kLeftFace + 400.0f, 7000.0f, -400, 0);
    left.game.timerBall_Timer();
    EXPECT_EQ(left.game.SpeedX, 400);
    EXPECT_EQ(left.ballLeft(), kLeftFace + 1.0f);
}

TEST(BatReturn, OneTwipBeforeTheFaceFliesOn) {
    Table right;
    right.placeBats(7335.0f, 7335.0f);
    right.placeBall(kRightFace - kBallSize - 401.0f, 7000.0f, 400, 0);
    right.game.timerBall_Timer();
    EXPECT_EQ(right.game.SpeedX, 400);
    EXPECT_EQ(right.ballLeft(), kRightFace - kBallSize - 1.0f);
    EXPECT_EQ(right.field.randomDraws(), 0u);

    Table left;
    left.placeBats(7335.0f, 7335.0f);
    left.placeBall(kLeftFace + 401.0f, 7000.0f, -400, 0);
    left.game.timerBall_Timer();
    EXPECT_EQ(left.game.SpeedX, -400);
    EXPECT_EQ(left.ballLeft(), kLeftFace + 1.0f);
    EXPECT_EQ(left.field.randomDraws(), 0u);
}

enum class Side { Left, Right };

void PrintTo(Side side, std::ostream* os) { *os << (side == Side::Left ? "left bat" : "right bat"); }

// Side, ball Top after the step, whether the bat (Top 7000, 1530 high) returns it.
using VerticalCase = std::tuple<Side, float, bool>;

class BatVerticalZone : public ::testing::TestWithParam<VerticalCase> {};

TEST_P(BatVerticalZone, InclusiveTopStrictBottom) {
    const auto [side, ballTop, returned] = GetParam();
    Table t;
    constexpr float batTop = 7000.0f;
    t.placeBats(batTop, batTop);
    // After the step the ball stands past the bat's face, clear of the edge.
    if (side == Side::Right) {
        t.placeBall(26900.0f, ballTop, 400, 0);
    } else {
        t.placeBall(900.0f, ballTop, -400, 0);
    }
    t.field.queueRandom(0.5f);  // 0
    t.game.timerBall_Timer();
    const bool right = side == Side::Right;
    if (returned) {
        EXPECT_EQ(t.game.SpeedX, right ? -400 : 400);
        EXPECT_EQ(t.ballLeft(), right ? kRightFace - kBallSize - 1.0f : kLeftFace + 1.0f);
        EXPECT_EQ(t.field.randomDraws(), 1u);
    } else {
        EXPECT_EQ(t.game.SpeedX, right ? 400 : -400);
        EXPECT_EQ(t.ballLeft(), right ? 27300.0f : 500.0f);
        EXPECT_EQ(t.field.randomDraws(), 0u);
    }
    EXPECT_EQ(t.ballTop(), ballTop);
}

// Ball 1005 high against a bat from 7000 to 8530.
const VerticalCase kVerticalCases[] = {
    {Side::Left, 5995.0f, true},   // bottom edge level with the bat's top
    {Side::Left, 5994.0f, false},  // one twip above it
    {Side::Left, 8530.0f, false},  // top edge level with the bat's bottom
    {Side::Left, 8529.0f, true},   // one twip above the bat's bottom
    {Side::Left, 7260.0f, true},   // well inside
    {Side::Right, 5995.0f, true},
    {Side::Right, 5994.0f, false},
    {Side::Right, 8530.0f, false},
    {Side::Right, 8529.0f, true},
    {Side::Right, 7260.0f, true},
};

INSTANTIATE_TEST_SUITE_P(BothBats, BatVerticalZone, ::testing::ValuesIn(kVerticalCases),
                         [](const ::testing::TestParamInfo<VerticalCase>& info) {
                             return std::string(std::get<0>(info.param) == Side::Left ? "Left" : "Right") +
                                    "BallTop" + std::to_string(static_cast<int>(std::get<1>(info.param)));
                         });

TEST(BatReturn, BallPastTheFaceIsReturnedWhenTheBatMovesOntoIt) {
    Table t;
    t.placeBats(kBatsLow, 3300.0f);
    t.placeBall(26900.0f, 2000.0f, 400, 0);
    t.game.timerBall_Timer();  // Left 27300: past the face, beside the bat
    EXPECT_EQ(t.game.SpeedX, 400);
    t.field.pressKey(kKeyApostrophe);
    t.game.timerKbrd_Timer();  // the bat rises to 2950 and covers the ball
    t.field.queueRandom(0.25f);  // 401 / 4 - 200 = -99.75 -> -100
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), kRightFace - kBallSize - 1.0f);
    EXPECT_EQ(t.game.SpeedY, -100);
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
}

TEST(BatReturn, BallMovingAwayKeepsItsDirectionButIsPutInFront) {
    Table t;
    t.placeBats(kBatsLow, 2500.0f);
    t.placeBall(27700.0f, 2000.0f, -400, 0);  // steps to 27300, still overlapping the bat
    t.field.queueRandom(0.5f);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), kRightFace - kBallSize - 1.0f);
    EXPECT_EQ(t.field.randomDraws(), 1u);
}

TEST(BatReturn, RightEdgePointAndReturnInOneTick) {
    Table t;
    t.placeBats(kBatsLow, 7335.0f);
    t.placeBall(27500.0f, 7000.0f, 400, 0);  // steps to 27900, beyond the edge
    t.field.queueRandom(0.0f);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.ScoreLeft, 1.0f);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(t.field.scoreText(), "1 : 0");
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), kRightFace - kBallSize - 1.0f);
    EXPECT_EQ(t.game.SpeedY, -200);
    EXPECT_EQ(t.field.randomDraws(), 1u);
}

TEST(BatReturn, LeftEdgePointAndReturnInOneTick) {
    Table t;
    t.placeBats(7335.0f, kBatsLow);
    t.placeBall(300.0f, 7000.0f, -400, 0);  // steps to -100
    t.field.queueRandom(0x1.fffffep-1f);   // largest below 1: 200
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.ScoreRight, 1.0f);
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
    EXPECT_EQ(t.field.scoreText(), "0 : 1");
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.ballLeft(), kLeftFace + 1.0f);
    EXPECT_EQ(t.game.SpeedY, 200);
}

TEST(BatReturn, BatSpeedReplacesTheTopBounceAndTheEdgeBouncesAgain) {
    Table t;
    t.placeBats(kBatsLow, -500.0f);  // right bat spans -500..1030
    t.placeBall(27300.0f, 100.0f, 400, -150);
    t.field.queueRandom(0.1f);  // 401 * 0.1 - 200 = -159.9... -> -160
    t.game.timerBall_Timer();   // top bounce to +150, then the bat draws -160
    EXPECT_EQ(t.ballTop(), 1.0f);
    EXPECT_EQ(t.ballLeft(), kRightFace - kBallSize - 1.0f);
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.game.SpeedY, -160);
    t.game.timerBall_Timer();  // Top 1 - 160 = -159: bounces again
    EXPECT_EQ(t.game.SpeedY, 160);
    EXPECT_EQ(t.ballTop(), 1.0f);
    EXPECT_EQ(t.ballLeft(), 26809.0f);
    EXPECT_EQ(t.field.randomDraws(), 1u);
}

TEST(BatReturn, RightBatIsTestedBeforeLeftBat) {
    // Bats moved into the middle so that one ball overlaps both: the left
    // bat's test runs last and its results stand.
    Table t;
    t.field.placePiece(Piece::RightBat, 10000.0f, 2000.0f);
    t.field.placePiece(Piece::LeftBat, 12000.0f, 2000.0f);
    t.placeBall(10100.0f, 2200.0f, 400, 0);
    t.field.queueRandom(0.0f);   // right bat: -200
    t.field.queueRandom(0.99f);  // left bat: 401 * 0.99 - 200 = 196.99 -> 196
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.ballLeft(), 12000.0f + kBatWidth + 1.0f);
    EXPECT_EQ(t.game.SpeedY, 196);
    EXPECT_EQ(t.field.randomDraws(), 2u);
}

TEST(BatReturn, SumsAreRoundedToFloatBeforeTheTest) {
    // Top + Height = 9000 - 2^-11 exactly, below the bat's Top, but 9000 as a
    // float: the ball's bottom edge reaches the bat.
    Table below;
    below.placeBats(kBatsLow, 9000.0f);
    below.field.setPieceSize(Piece::Ball, kBallSize, 1005.0f + 0x1p-11f);
    below.placeBall(26900.0f, 7995.0f - 0x1p-10f, 400, 0);
    below.game.timerBall_Timer();
    EXPECT_EQ(below.game.SpeedX, -400);

    // Left + Width = 28215 - 2^-10 exactly, before the face, but 28215 as a
    // float: the ball reaches the face.
    Table beside;
    beside.placeBats(kBatsLow, 7000.0f);
    beside.field.setPieceSize(Piece::Ball, 1005.0f + 0x1p-10f, kBallSize);
    beside.placeBall(26810.0f - 0x1p-9f, 7000.0f, 400, 0);
    beside.game.timerBall_Timer();
    EXPECT_EQ(beside.game.SpeedX, -400);
}

}  // namespace
}  // namespace volleon::test
