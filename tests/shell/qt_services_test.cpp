#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "expected_sizes.h"
#include "shell/qt/qt_services.h"
#include "shell/qt/twips.h"

namespace volleon::qt {
namespace {

class QtServicesTest : public ::testing::Test {
protected:
    QtServicesTest() {
        // Long intervals, so that no tick falls inside a test.
        for (QTimer* timer : {&ballTimer_, &keyboardTimer_}) {
            timer->setTimerType(Qt::PreciseTimer);
        }
        ballTimer_.setInterval(10'000);
        keyboardTimer_.setInterval(20'000);
    }

    int ends_ = 0;
    QLabel score_{QStringLiteral("0:0")};
    QTimer ballTimer_;
    QTimer keyboardTimer_;
    KeyStateTracker keys_;
    QtServices services_{{score_, ballTimer_, keyboardTimer_, keys_, [this](int) { ++ends_; }}};
    const testing::ExpectedSizes& expected_ = testing::expectedSizes();
};

TEST_F(QtServicesTest, PiecesComeIntoBeingOnFirstUseHiddenAndCentred) {
    EXPECT_EQ(services_.existingPiece(Piece::Ball), nullptr);
    EXPECT_EQ(services_.existingPiece(Piece::LeftBat), nullptr);
    const float width = services_.width(Piece::Ball);
    PieceWindow* ball = services_.existingPiece(Piece::Ball);
    ASSERT_NE(ball, nullptr);
    EXPECT_FALSE(ball->isVisible());
    EXPECT_EQ(&services_.piece(Piece::Ball), ball);
    EXPECT_EQ(services_.left(Piece::Ball), (services_.screenWidth() - width) / 2);
    EXPECT_EQ(services_.top(Piece::Ball), (services_.screenHeight() - services_.height(Piece::Ball)) / 2);
    EXPECT_EQ(services_.existingPiece(Piece::RightBat), nullptr);
}

TEST_F(QtServicesTest, OuterSizesAreWholePixelsOfTheDesignedSizes) {
    const float perPixel = expected_.twipsPerPixel;
    EXPECT_EQ(services_.width(Piece::Ball), static_cast<float>(expected_.ball) * perPixel);
    EXPECT_EQ(services_.height(Piece::Ball), static_cast<float>(expected_.ball) * perPixel);
    EXPECT_EQ(services_.width(Piece::LeftBat), static_cast<float>(expected_.bat.width()) * perPixel);
    EXPECT_EQ(services_.height(Piece::RightBat), static_cast<float>(expected_.bat.height()) * perPixel);
    EXPECT_EQ(services_.piece(Piece::Ball).size(), QSize(expected_.ball, expected_.ball));
    EXPECT_EQ(services_.piece(Piece::RightBat).size(), expected_.bat);
    if (perPixel == 15.0f) {
        EXPECT_EQ(services_.width(Piece::Ball), 1005.0f);
        EXPECT_EQ(services_.width(Piece::LeftBat), 585.0f);
        EXPECT_EQ(services_.height(Piece::LeftBat), 1530.0f);
    }
}

TEST_F(QtServicesTest, APieceKeepsItsExactTwipsAndStandsAtTheNearestPixel) {
    const float perPixel = expected_.twipsPerPixel;
    const float left = 1234.567f;
    const float top = -7777.25f;
    services_.setLeft(Piece::Ball, left);
    services_.setTop(Piece::Ball, top);
    EXPECT_EQ(services_.left(Piece::Ball), left);
    EXPECT_EQ(services_.top(Piece::Ball), top);
    const PieceWindow& ball = services_.piece(Piece::Ball);
    EXPECT_EQ(ball.pos(), QPoint(static_cast<int>(std::nearbyint(left / perPixel)),
                                 static_cast<int>(std::nearbyint(top / perPixel))));
}

TEST_F(QtServicesTest, PiecesGoBeyondTheScreenEdges) {
    services_.show(Piece::LeftBat);
    const float below = services_.screenHeight() + 5000.0f;
    services_.setTop(Piece::LeftBat, below);
    services_.setLeft(Piece::LeftBat, -3000.0f);
    QCoreApplication::processEvents();
    const PieceWindow& bat = services_.piece(Piece::LeftBat);
    EXPECT_EQ(bat.y(), static_cast<int>(std::nearbyint(below / expected_.twipsPerPixel)));
    EXPECT_EQ(bat.x(), static_cast<int>(std::nearbyint(-3000.0f / expected_.twipsPerPixel)));
}

TEST_F(QtServicesTest, ShowingAVisiblePieceLeavesItWhereItIs) {
    services_.show(Piece::RightBat);
    services_.setLeft(Piece::RightBat, 900.0f);
    services_.show(Piece::RightBat);
    EXPECT_TRUE(services_.piece(Piece::RightBat).isVisible());
    EXPECT_EQ(services_.left(Piece::RightBat), 900.0f);
}

TEST_F(QtServicesTest, RoundBallMasksTheInscribedEllipse) {
    services_.roundBall(expected_.ball, expected_.ball);
    EXPECT_EQ(services_.piece(Piece::Ball).mask(),
              QRegion(0, 0, expected_.ball, expected_.ball, QRegion::Ellipse));
    services_.roundBall(40, 20);
    EXPECT_EQ(services_.piece(Piece::Ball).mask(), QRegion(0, 0, 40, 20, QRegion::Ellipse));
}

TEST_F(QtServicesTest, ScoreTextReplacesTheLabelText) {
    services_.setScoreText("3 : 12");
    EXPECT_EQ(score_.text(), QStringLiteral("3 : 12"));
}

TEST_F(QtServicesTest, EnablingARunningTimerKeepsItsCountdown) {
    EXPECT_FALSE(ballTimer_.isActive());
    services_.enableTimer(Timer::Ball);
    ASSERT_TRUE(ballTimer_.isActive());
    EXPECT_FALSE(keyboardTimer_.isActive());
    QTest::qWait(60);
    services_.enableTimer(Timer::Ball);
    // A restart would have put the countdown back to the full 10 s.
    EXPECT_LE(ballTimer_.remainingTime(), 10'000 - 60);
    services_.enableTimer(Timer::Keyboard);
    EXPECT_TRUE(keyboardTimer_.isActive());
}

TEST_F(QtServicesTest, KeyboardSnapshotReadsTheProgramsKeyState) {
    keys_.press(65);
    KeyStateBuffer buffer;
    buffer.fill(0x55);
    services_.keyboardSnapshot(buffer);
    EXPECT_EQ(buffer[65], 0x81);
    EXPECT_EQ(buffer[90], 0x00);
    EXPECT_EQ(buffer[256], 0x55);
}

TEST_F(QtServicesTest, RandomNumbersAreUniformInTheHalfOpenUnitInterval) {
    services_.seedRandom();
    constexpr int kDraws = 20'000;
    double sum = 0.0;
    int low = 0;
    for (int i = 0; i < kDraws; ++i) {
        const float r = services_.nextRandom();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        sum += r;
        low += r < 0.5f ? 1 : 0;
    }
    // Five standard deviations either side.
    EXPECT_NEAR(sum / kDraws, 0.5, 5 * 0.2887 / std::sqrt(kDraws));
    EXPECT_NEAR(low, kDraws / 2, 5 * 0.5 * std::sqrt(kDraws));
}

TEST_F(QtServicesTest, EndProgramReachesTheOwner) {
    services_.endProgram();
    EXPECT_EQ(ends_, 1);
}

TEST_F(QtServicesTest, PieceWindowsAreFramelessToolsThatTakeNoFocus) {
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        const PieceWindow& window = services_.piece(piece);
        const Qt::WindowFlags flags = window.windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
        EXPECT_TRUE(flags.testFlag(Qt::X11BypassWindowManagerHint));
        EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    }
    EXPECT_EQ(services_.piece(Piece::Ball).windowTitle(), QStringLiteral("Ball"));
    EXPECT_EQ(services_.piece(Piece::Ball).windowRole(), QStringLiteral("frmBall"));
    EXPECT_EQ(services_.piece(Piece::LeftBat).windowTitle(), QString());
    EXPECT_EQ(services_.piece(Piece::LeftBat).windowRole(), QStringLiteral("frmLeft"));
    EXPECT_EQ(services_.piece(Piece::RightBat).windowRole(), QStringLiteral("frmRight"));
    EXPECT_EQ(services_.piece(Piece::RightBat).objectName(), QStringLiteral("frmRight"));
}

TEST_F(QtServicesTest, TheBallsLoadHandlerFitsTheCircleToTheWindow) {
    const PieceWindow& ball = services_.piece(Piece::Ball);
    ASSERT_TRUE(ball.shape().has_value());
    const float size = static_cast<float>(expected_.ball) * expected_.twipsPerPixel;
    EXPECT_EQ(ball.shape()->left, 0.0f);
    EXPECT_EQ(ball.shape()->top, 0.0f);
    EXPECT_EQ(ball.shape()->width, size);
    EXPECT_EQ(ball.shape()->height, size);
    EXPECT_FALSE(services_.piece(Piece::LeftBat).shape().has_value());
}

TEST_F(QtServicesTest, TheBallIsARedDiscWithABlackRimAndTheBatsRedWithABlackLine) {
    services_.roundBall(expected_.ball, expected_.ball);
    const QImage ball = services_.piece(Piece::Ball).grab().toImage();
    const int middle = expected_.ball / 2;
    EXPECT_EQ(QColor(ball.pixel(middle, middle)), QColor(Qt::red));
    EXPECT_EQ(QColor(ball.pixel(middle, 1)), QColor(Qt::black));     // rim at the top
    EXPECT_EQ(QColor(ball.pixel(middle, 6)), QColor(Qt::red));       // inside the 5-pixel rim
    EXPECT_EQ(QColor(ball.pixel(expected_.ball - 2, middle)), QColor(Qt::black));

    const QImage bat = services_.piece(Piece::LeftBat).grab().toImage();
    EXPECT_EQ(QColor(bat.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(bat.pixel(bat.width() - 1, bat.height() / 2)), QColor(Qt::black));
    EXPECT_EQ(QColor(bat.pixel(1, 1)), QColor(Qt::red));
    EXPECT_EQ(QColor(bat.pixel(bat.width() / 2, bat.height() / 2)), QColor(Qt::red));
}

}  // namespace
}  // namespace volleon::qt
