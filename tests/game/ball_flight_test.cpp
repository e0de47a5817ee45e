// The ball step and the four edges: comparison senses, corrections, points,
// the order of the edge tests, float rounding of sums and arithmetic faults.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "table.h"

namespace volleon::test {
namespace {

class BallFlightTest : public ::testing::Test {
protected:
    // The bats stand low at the sides, clear of a ball in the upper half.
    void SetUp() override { t.placeBats(kBatsLow, kBatsLow); }
    Table t;
};

TEST(SpeedSign, ToNegativeAndToPositive) {
    EXPECT_EQ(ToNegative(400), -400);
    EXPECT_EQ(ToNegative(-400), -400);
    EXPECT_EQ(ToNegative(0), 0);
    EXPECT_EQ(ToNegative(1), -1);
    EXPECT_EQ(ToNegative(32767), -32767);
    EXPECT_EQ(ToPositive(-400), 400);
    EXPECT_EQ(ToPositive(400), 400);
    EXPECT_EQ(ToPositive(0), 0);
    EXPECT_EQ(ToPositive(-1), 1);
    EXPECT_EQ(ToPositive(-32767), 32767);
}

TEST_F(BallFlightTest, StepMovesByBothSpeeds) {
    t.placeBall(10000.0f, 5000.0f, 400, -120);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.ballLeft(), 10400.0f);
    EXPECT_EQ(t.ballTop(), 4880.0f);
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.game.SpeedY, -120);
    EXPECT_EQ(t.field.scoreTextWrites(), 0);
    EXPECT_EQ(t.field.randomDraws(), 0u);
}

TEST_F(BallFlightTest, TopEdgeAtExactlyZeroBounces) {
    t.placeBall(10000.0f, 120.0f, 400, -120);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, 120);
    EXPECT_EQ(t.ballTop(), 1.0f);
    EXPECT_EQ(t.ballLeft(), 10400.0f);
    EXPECT_EQ(t.field.scoreTextWrites(), 0);
}

TEST_F(BallFlightTest, TopEdgeOneTwipInsideDoesNot) {
    t.placeBall(10000.0f, 121.0f, 400, -120);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, -120);
    EXPECT_EQ(t.ballTop(), 1.0f);
}

TEST_F(BallFlightTest, BallBeyondTopMovingAwayKeepsItsSpeed) {
    t.placeBall(10000.0f, -500.0f, 400, 100);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, 100);
    EXPECT_EQ(t.ballTop(), 1.0f);
}

TEST_F(BallFlightTest, LevelFlightAtTheTopStaysLevel) {
    t.placeBall(10000.0f, 0.0f, 400, 0);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, 0);
    EXPECT_EQ(t.ballTop(), 1.0f);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, 0);
    EXPECT_EQ(t.ballTop(), 1.0f);
}

TEST_F(BallFlightTest, BottomEdgeReachedExactlyBounces) {
    t.placeBats(0.0f, 0.0f);  // bats high, the ball low
    t.placeBall(10000.0f, 15095.0f, 400, 100);  // 15195 + 1005 = 16200
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, -100);
    EXPECT_EQ(t.ballTop(), kScreenHeight - 1.0f - kBallSize);
}

TEST_F(BallFlightTest, BottomEdgeOneTwipShortDoesNot) {
    t.placeBats(0.0f, 0.0f);
    t.placeBall(10000.0f, 15094.0f, 400, 100);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, 100);
    EXPECT_EQ(t.ballTop(), 15194.0f);
}

TEST_F(BallFlightTest, BallBeyondBottomMovingAwayKeepsItsSpeed) {
    t.placeBats(0.0f, 0.0f);
    t.placeBall(10000.0f, 16000.0f, 400, -50);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, -50);
    EXPECT_EQ(t.ballTop(), 15194.0f);
}

TEST_F(BallFlightTest, LeftEdgeGivesTheRightPlayerAPoint) {
    t.placeBall(400.0f, 2000.0f, -400, 30);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.ballLeft(), 1.0f);
    EXPECT_EQ(t.ballTop(), 2030.0f);
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
    EXPECT_EQ(t.game.ScoreRight, 1.0f);
    EXPECT_EQ(t.field.scoreText(), "0 : 1");
    EXPECT_EQ(t.game.SpeedY, 30);
    EXPECT_EQ(t.field.randomDraws(), 0u);
}

TEST_F(BallFlightTest, LeftEdgeOneTwipInsideScoresNothing) {
    t.placeBall(401.0f, 2000.0f, -400, 30);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), 1.0f);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(t.field.scoreTextWrites(), 0);
}

TEST_F(BallFlightTest, RightEdgeGivesTheLeftPlayerAPoint) {
    t.placeBall(27395.0f, 2000.0f, 400, 0);  // 27795 + 1005 = 28800
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), kScreenWidth - 1.0f - kBallSize);
    EXPECT_EQ(t.game.ScoreLeft, 1.0f);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
    EXPECT_EQ(t.field.scoreText(), "1 : 0");
}

TEST_F(BallFlightTest, RightEdgeOneTwipShortScoresNothing) {
    t.placeBall(27394.0f, 2000.0f, 400, 0);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.ballLeft(), 27794.0f);
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
}

TEST_F(BallFlightTest, BallAtAnEdgeMovingAwayStillScores) {
    // The point goes with reaching the edge, whatever the direction.
    t.placeBall(-1000.0f, 2000.0f, 400, 0);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, 400);
    EXPECT_EQ(t.ballLeft(), 1.0f);
    EXPECT_EQ(t.game.ScoreRight, 1.0f);
}

TEST_F(BallFlightTest, TopIsTestedBeforeBottom) {
    // A ball taller than the screen meets both edges; the bottom test runs
    // second and sees the top's correction.
    t.field.setPieceSize(Piece::Ball, kBallSize, 20000.0f);
    t.placeBall(10000.0f, 100.0f, 400, -150);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, -150);
    EXPECT_EQ(t.ballTop(), kScreenHeight - 1.0f - 20000.0f);
}

TEST_F(BallFlightTest, LeftEdgeIsTestedBeforeRightEdge) {
    // A ball wider than the screen scores at both edges in one tick.
    t.field.setPieceSize(Piece::Ball, 30000.0f, kBallSize);
    t.placeBall(100.0f, 2000.0f, -400, 0);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.ballLeft(), kScreenWidth - 1.0f - 30000.0f);
    EXPECT_EQ(t.game.ScoreLeft, 1.0f);
    EXPECT_EQ(t.game.ScoreRight, 1.0f);
    EXPECT_EQ(t.field.scoreText(), "1 : 1");
}

TEST_F(BallFlightTest, EdgeSumIsRoundedToFloatBeforeTheTest) {
    // Left + Width = 28800 - 2^-10 exactly, which is below the screen width,
    // but rounds to 28800 as a float: the right edge is reached.
    t.field.setPieceSize(Piece::Ball, 1005.0f + 0x1p-10f, kBallSize);
    t.placeBall(27395.0f - 0x1p-9f, 2000.0f, 400, 0);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedX, -400);
    EXPECT_EQ(t.game.ScoreLeft, 1.0f);
    // 28800 - 1 - 1005.0009765625 = 27793.9990234375, stored as the float 27794.
    EXPECT_EQ(t.ballLeft(), 27794.0f);
}

TEST_F(BallFlightTest, BottomSumIsRoundedToFloatBeforeTheTest) {
    t.placeBats(0.0f, 0.0f);
    // Top + Height = 16200 - 2^-11 exactly, 16200 as a float.
    t.field.setPieceSize(Piece::Ball, kBallSize, 1005.0f + 0x1p-11f);
    t.placeBall(10000.0f, 15095.0f - 0x1p-10f, 400, 100);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.game.SpeedY, -100);
    EXPECT_EQ(t.ballTop(), 15194.0f);
}

TEST_F(BallFlightTest, EdgesFollowTheScreenSizeOfTheMoment) {
    t.field.setScreenSize(20000.0f, 12000.0f);
    t.placeBats(0.0f, 0.0f);
    t.field.placePiece(Piece::RightBat, 50000.0f, 0.0f);  // out of the way
    t.placeBall(18600.0f, 10600.0f, 400, 400);
    t.game.timerBall_Timer();
    EXPECT_EQ(t.ballLeft(), 20000.0f - 1.0f - kBallSize);
    EXPECT_EQ(t.ballTop(), 12000.0f - 1.0f - kBallSize);
    EXPECT_EQ(t.game.ScoreLeft, 1.0f);
}

TEST_F(BallFlightTest, FloatOverflowInATickThrowsAndWritesNoInfinity) {
    const float huge = std::numeric_limits<float>::max();
    t.field.setPieceSize(Piece::Ball, huge, kBallSize);
    t.placeBall(huge, 2000.0f, 400, 0);  // Left + Width overflows
    EXPECT_ANY_THROW(t.game.timerBall_Timer());
    EXPECT_TRUE(std::isfinite(t.ballLeft()));
    EXPECT_TRUE(std::isfinite(t.ballTop()));
    EXPECT_TRUE(std::isfinite(t.game.ScoreLeft));
}

TEST_F(BallFlightTest, NotANumberInATickThrowsAndIsNotStored) {
    t.field.setScreenSize(std::numeric_limits<float>::infinity(), kScreenHeight);
    t.placeBall(10000.0f, 2000.0f, 400, 0);
    t.field.setPieceSize(Piece::Ball, std::numeric_limits<float>::infinity(), kBallSize);
    // Left + Width = inf reaches the right edge; inf - 1 - inf is invalid.
    EXPECT_ANY_THROW(t.game.timerBall_Timer());
    EXPECT_FALSE(std::isnan(t.ballLeft()));
}

}  // namespace
}  // namespace volleon::test
