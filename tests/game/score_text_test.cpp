// AddScore: the points it adds and the score text it writes on every call.
#include <gtest/gtest.h>

#include "table.h"

namespace volleon::test {
namespace {

TEST(ScoreText, ZeroZeroIsWrittenWithBlanksAroundTheColon) {
    Table t;
    EXPECT_EQ(t.field.scoreText(), "0:0");  // the label's own text until the first call
    t.game.AddScore(0, 0);
    EXPECT_EQ(t.field.scoreText(), "0 : 0");
    EXPECT_EQ(t.field.scoreTextWrites(), 1);
    EXPECT_EQ(t.game.ScoreLeft, 0.0f);
    EXPECT_EQ(t.game.ScoreRight, 0.0f);
}

TEST(ScoreText, PointsAddUpPerSide) {
    Table t;
    t.game.AddScore(2, 7);  // both in one call
    EXPECT_EQ(t.field.scoreText(), "2 : 7");
    t.game.ScoreLeft = 0.0f;
    t.game.ScoreRight = 0.0f;
    for (int i = 0; i < 3; ++i) {
        t.game.AddScore(1, 0);
    }
    for (int i = 0; i < 12; ++i) {
        t.game.AddScore(0, 1);
    }
    EXPECT_EQ(t.game.ScoreLeft, 3.0f);
    EXPECT_EQ(t.game.ScoreRight, 12.0f);
    EXPECT_EQ(t.field.scoreText(), "3 : 12");
    EXPECT_EQ(t.field.scoreTextWrites(), 16);
}

TEST(ScoreText, ZeroCallRewritesTheTextFromTheFields) {
    Table t;
    t.game.ScoreLeft = 42.0f;
    t.game.ScoreRight = 1234567.0f;
    t.game.AddScore(0, 0);
    EXPECT_EQ(t.field.scoreText(), "42 : 1234567");
    t.game.AddScore(0, 0);
    EXPECT_EQ(t.field.scoreTextWrites(), 2);
    EXPECT_EQ(t.game.ScoreLeft, 42.0f);
}

TEST(ScoreText, SevenDigitScoresArePlainDigits) {
    Table t;
    t.game.ScoreLeft = 9999998.0f;
    t.game.ScoreRight = 1000000.0f;
    t.game.AddScore(1, 0);
    EXPECT_EQ(t.game.ScoreLeft, 9999999.0f);
    EXPECT_EQ(t.field.scoreText(), "9999999 : 1000000");
}

}  // namespace
}  // namespace volleon::test
