// The keyboard tick: which key bytes count, up winning over down, the two
// bats moving independently and without limits, and Escape after the moves.
#include <cstdint>

#include <gtest/gtest.h>

#include "table.h"

namespace volleon::test {
namespace {

constexpr float kStartTop = 7335.0f;

class BatControlTest : public ::testing::Test {
protected:
    void SetUp() override { t.placeBats(kStartTop, kStartTop); }
    float leftTop() const { return t.field.piece(Piece::LeftBat).top; }
    float rightTop() const { return t.field.piece(Piece::RightBat).top; }
    Table t;
};

TEST_F(BatControlTest, EachKeyMovesItsBatOneStep) {
    struct Case {
        int key;
        float leftMove;
        float rightMove;
    };
    for (const Case c : {Case{kKeyA, -350.0f, 0.0f}, Case{kKeyZ, 350.0f, 0.0f},
                         Case{kKeyApostrophe, 0.0f, -350.0f}, Case{kKeySlash, 0.0f, 350.0f}}) {
        SCOPED_TRACE(c.key);
        t.placeBats(kStartTop, kStartTop);
        t.field.releaseAllKeys();
        t.field.pressKey(c.key);
        t.game.timerKbrd_Timer();
        EXPECT_EQ(leftTop(), kStartTop + c.leftMove);
        EXPECT_EQ(rightTop(), kStartTop + c.rightMove);
        EXPECT_EQ(t.field.piece(Piece::LeftBat).left, 0.0f);
        EXPECT_EQ(t.field.piece(Piece::RightBat).left, kRightFace);
        EXPECT_FALSE(t.field.ended());
    }
}

TEST_F(BatControlTest, UpWinsOverDown) {
    t.field.pressKey(kKeyA);
    t.field.pressKey(kKeyZ);
    t.field.pressKey(kKeyApostrophe);
    t.field.pressKey(kKeySlash);
    t.game.timerKbrd_Timer();
    EXPECT_EQ(leftTop(), kStartTop - 350.0f);
    EXPECT_EQ(rightTop(), kStartTop - 350.0f);
}

TEST_F(BatControlTest, BothBatsMoveInTheSameTick) {
    t.field.pressKey(kKeyApostrophe);
    t.field.pressKey(kKeyZ);
    t.game.timerKbrd_Timer();
    EXPECT_EQ(leftTop(), kStartTop + 350.0f);
    EXPECT_EQ(rightTop(), kStartTop - 350.0f);
}

TEST_F(BatControlTest, ToggleBitAloneIsNotHeld) {
    for (int key : {kKeyA, kKeyZ, kKeyApostrophe, kKeySlash, kKeyEscape}) {
        t.field.setKeyByte(key, 0x01);
    }
    t.game.timerKbrd_Timer();
    EXPECT_EQ(leftTop(), kStartTop);
    EXPECT_EQ(rightTop(), kStartTop);
    EXPECT_FALSE(t.field.ended());
}

TEST_F(BatControlTest, AnyByteAboveOneIsHeld) {
    for (std::uint8_t state : {std::uint8_t{0x80}, std::uint8_t{0x81}, std::uint8_t{0xFF}, std::uint8_t{0x02}}) {
        SCOPED_TRACE(static_cast<int>(state));
        t.placeBats(kStartTop, kStartTop);
        t.field.setKeyByte(kKeyZ, state);
        t.field.setKeyByte(kKeySlash, state);
        t.game.timerKbrd_Timer();
        EXPECT_EQ(leftTop(), kStartTop + 350.0f);
        EXPECT_EQ(rightTop(), kStartTop + 350.0f);
    }
}

TEST_F(BatControlTest, UpWithToggleOnlyLetsDownThrough) {
    t.field.setKeyByte(kKeyA, 0x01);
    t.field.setKeyByte(kKeyZ, 0x81);
    t.game.timerKbrd_Timer();
    EXPECT_EQ(leftTop(), kStartTop + 350.0f);
}

TEST_F(BatControlTest, OtherKeysAreIgnored) {
    for (int code = 0; code < 256; ++code) {
        if (code != kKeyA && code != kKeyZ && code != kKeyApostrophe && code != kKeySlash && code != kKeyEscape) {
            t.field.pressKey(code);
        }
    }
    t.game.timerKbrd_Timer();
    EXPECT_EQ(leftTop(), kStartTop);
    EXPECT_EQ(rightTop(), kStartTop);
    EXPECT_FALSE(t.field.ended());
}

TEST_F(BatControlTest, NoLimitAtTheScreenEdges) {
    t.field.pressKey(kKeyZ);
    t.field.pressKey(kKeyApostrophe);
    for (int i = 0; i < 10; ++i) {
        t.game.timerKbrd_Timer();
    }
    EXPECT_EQ(leftTop(), kStartTop + 3500.0f);
    EXPECT_EQ(rightTop(), kStartTop - 3500.0f);
    for (int i = 0; i < 30; ++i) {
        t.game.timerKbrd_Timer();
    }
    EXPECT_EQ(leftTop(), kStartTop + 40 * 350.0f);   // 21335: below the screen
    EXPECT_EQ(rightTop(), kStartTop - 40 * 350.0f);  // -6665: above it
    EXPECT_GT(leftTop(), kScreenHeight);
    EXPECT_LT(rightTop() + kBatHeight, 0.0f);
}

TEST_F(BatControlTest, EscapeEndsTheProgramAfterTheMoves) {
    t.field.pressKey(kKeySlash);
    t.field.pressKey(kKeyEscape);
    t.game.timerKbrd_Timer();
    EXPECT_EQ(rightTop(), kStartTop + 350.0f);
    EXPECT_TRUE(t.field.ended());
}

TEST_F(BatControlTest, SnapshotFillsTheFirst256EntriesOnly) {
    t.game.KeyState[256] = 0xAB;
    t.game.KeyState[100] = 0x80;  // stale: the snapshot replaces it
    t.field.pressKey(kKeyA);
    t.field.setKeyByte(255, 0x81);
    t.game.timerKbrd_Timer();
    EXPECT_EQ(t.game.KeyState[kKeyA], 0x80);
    EXPECT_EQ(t.game.KeyState[255], 0x81);
    EXPECT_EQ(t.game.KeyState[100], 0x00);
    EXPECT_EQ(t.game.KeyState[256], 0xAB);
    EXPECT_EQ(t.field.snapshots(), 1);
}

TEST_F(BatControlTest, KeyboardTestButtonOnlyTakesASnapshot) {
    t.field.pressKey(kKeyA);
    t.field.pressKey(kKeySlash);
    t.field.pressKey(kKeyEscape);
    t.game.cmdKbrdTest_Click();
    EXPECT_EQ(t.field.snapshots(), 1);
    EXPECT_EQ(t.game.KeyState[kKeyA], 0x80);
    EXPECT_EQ(t.game.KeyState[kKeyEscape], 0x80);
    EXPECT_EQ(leftTop(), kStartTop);
    EXPECT_EQ(rightTop(), kStartTop);
    EXPECT_FALSE(t.field.ended());
    EXPECT_FALSE(t.field.timerEnabled(Timer::Keyboard));
}

}  // namespace
}  // namespace volleon::test
