#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "shell/qt/key_state_tracker.h"
#include "shell/qt/virtual_keys.h"

namespace volleon::qt {
namespace {

TEST(VirtualKeys, GameKeysAndShiftedSymbolsGiveTheKeysCode) {
    EXPECT_EQ(virtualKeyCode(Qt::Key_A), 65);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Z), 90);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Escape), 27);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Apostrophe), 222);
    EXPECT_EQ(virtualKeyCode(Qt::Key_QuoteDbl, Qt::ShiftModifier), 222);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Slash), 191);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Question, Qt::ShiftModifier), 191);
    EXPECT_EQ(virtualKeyCode(Qt::Key_0), 48);
    EXPECT_EQ(virtualKeyCode(Qt::Key_9), 57);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Exclam, Qt::ShiftModifier), 49);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Space), 32);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Shift, Qt::ShiftModifier), 16);
    EXPECT_EQ(virtualKeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(virtualKeyCode(Qt::Key_F24), 135);
}

TEST(VirtualKeys, KeypadKeysHaveCodesOfTheirOwn) {
    EXPECT_EQ(virtualKeyCode(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Slash, Qt::KeypadModifier), 111);
    EXPECT_EQ(virtualKeyCode(Qt::Key_Enter, Qt::KeypadModifier), 13);
}

TEST(VirtualKeys, KeysWithoutACodeGiveZero) {
    EXPECT_EQ(virtualKeyCode(Qt::Key_unknown), 0);
    EXPECT_EQ(virtualKeyCode(Qt::Key_VolumeUp), 0);
}

// A window of the program that receives key events the way the platform
// delivers them: to the window first, then to its focus widget.
class KeyStateTrackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.setWindowTitle(QStringLiteral("keys"));
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false) {
        QTest::simulateEvent(window_.windowHandle(), true, key, modifiers, QString(), autoRepeat);
    }
    void release(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::simulateEvent(window_.windowHandle(), false, key, modifiers, QString(), false);
    }

    KeyStateTracker tracker_;
    QWidget window_;
};

TEST_F(KeyStateTrackerTest, HighBitWhileHeldToggleBitFlipsOnEachPress) {
    press(Qt::Key_A);
    EXPECT_EQ(tracker_.state(65), 0x81);
    release(Qt::Key_A);
    EXPECT_EQ(tracker_.state(65), 0x01);
    press(Qt::Key_A);
    EXPECT_EQ(tracker_.state(65), 0x80);
    release(Qt::Key_A);
    EXPECT_EQ(tracker_.state(65), 0x00);
    EXPECT_EQ(tracker_.state(90), 0x00);
}

TEST_F(KeyStateTrackerTest, AutoRepeatNeitherTogglesNorReleases) {
    press(Qt::Key_Z);
    press(Qt::Key_Z, Qt::NoModifier, true);
    press(Qt::Key_Z, Qt::NoModifier, true);
    EXPECT_EQ(tracker_.state(90), 0x81);
    release(Qt::Key_Z);
    EXPECT_EQ(tracker_.state(90), 0x01);
}

TEST_F(KeyStateTrackerTest, ShiftedApostropheAndSlashKeepTheirCodes) {
    press(Qt::Key_Shift, Qt::ShiftModifier);
    press(Qt::Key_QuoteDbl, Qt::ShiftModifier);
    press(Qt::Key_Question, Qt::ShiftModifier);
    EXPECT_GT(tracker_.state(222), 1);
    EXPECT_GT(tracker_.state(191), 1);
    EXPECT_GT(tracker_.state(16), 1);
    release(Qt::Key_QuoteDbl, Qt::ShiftModifier);
    release(Qt::Key_Question, Qt::ShiftModifier);
    release(Qt::Key_Shift);
    EXPECT_LE(tracker_.state(222), 1);
    EXPECT_LE(tracker_.state(191), 1);
    EXPECT_LE(tracker_.state(16), 1);
}

TEST_F(KeyStateTrackerTest, EachKeyEventCountsOnceThoughItPassesSeveralObjects) {
    // The event goes to the window, the focus widget and its parents; a
    // second count would flip the toggle bit back.
    QWidget child(&window_);
    child.setFocusPolicy(Qt::StrongFocus);
    child.show();
    child.setFocus();
    press(Qt::Key_Escape);
    EXPECT_EQ(tracker_.state(27), 0x81);
    release(Qt::Key_Escape);
}

TEST_F(KeyStateTrackerTest, EveryKeyIsReleasedWhenTheProgramLosesTheFocus) {
    press(Qt::Key_A);
    press(Qt::Key_Apostrophe);
    ASSERT_GT(tracker_.state(65), 1);
    // What the application sends itself when its last active window loses
    // the focus to another program.
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &inactive);
    EXPECT_EQ(tracker_.state(65), 0x01);
    EXPECT_EQ(tracker_.state(222), 0x01);
}

TEST_F(KeyStateTrackerTest, SnapshotFillsEntries0To255AndLeaves256Alone) {
    press(Qt::Key_Slash);
    KeyStateBuffer buffer;
    buffer.fill(0xEE);
    tracker_.snapshot(buffer);
    EXPECT_EQ(buffer[191], 0x81);
    EXPECT_EQ(buffer[0], 0x00);
    EXPECT_EQ(buffer[255], 0x00);
    EXPECT_EQ(buffer[256], 0xEE);
    release(Qt::Key_Slash);
}

}  // namespace
}  // namespace volleon::qt
