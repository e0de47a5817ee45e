#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "expected_sizes.h"
#include "shell/qt/main_window.h"
#include "shell/qt/twips.h"

namespace volleon::qt {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    template <typename T = QWidget>
    T* control(const char* name) {
        return form_.findChild<T*>(QString::fromLatin1(name));
    }
    QTimer* timer(const char* name) { return form_.findChild<QTimer*>(QString::fromLatin1(name)); }

    void showAndActivate() {
        form_.show();
        form_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }

    const testing::ExpectedSizes& expected_ = testing::expectedSizes();
    MainWindow form_;
};

TEST_F(MainWindowTest, TitleRoleIconAndFixedClientSize) {
    EXPECT_EQ(form_.windowTitle(), QStringLiteral("Volleon!"));
    EXPECT_EQ(form_.windowRole(), QStringLiteral("Form1"));
    EXPECT_EQ(form_.objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(form_.size(), expected_.form1Client);
    EXPECT_EQ(form_.minimumSize(), expected_.form1Client);
    EXPECT_EQ(form_.maximumSize(), expected_.form1Client);
    EXPECT_FALSE(form_.windowIcon().isNull());
    EXPECT_TRUE(form_.windowIcon().availableSizes().contains(QSize(16, 16)));
}

TEST_F(MainWindowTest, TitleBarHasWindowMenuAndCloseButtonOnly) {
    const Qt::WindowFlags flags = form_.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));
}

TEST_F(MainWindowTest, LoadCentresTheWindowAlongTheTopEdge) {
    const float perPixel = expected_.twipsPerPixel;
    const double left = screenWidthTwips() / 2.0 - form_.outerWidth() / 2.0;
    EXPECT_EQ(form_.pos(), QPoint(static_cast<int>(std::nearbyint(left / perPixel)), 0));
    // On a 1920-pixel screen at 96 DPI: 960 - 153 / 2 = 883.5, to the even 884.
    if (perPixel == 15.0f && screenWidthTwips() == 1920 * 15.0f) {
        EXPECT_EQ(form_.pos().x(), 884);
    }
}

TEST_F(MainWindowTest, ControlsStandWhereTheDesignPutsThem) {
    ASSERT_NE(control("cmdGo"), nullptr);
    EXPECT_EQ(control("cmdGo")->geometry(), expected_.cmdGo);
    EXPECT_EQ(control<QPushButton>("cmdGo")->text(), QStringLiteral("Go"));
    EXPECT_EQ(control("lblURL")->geometry(), expected_.lblUrl);
    const Twips twips = Twips::ofPrimaryScreen();
    EXPECT_EQ(control("lblScore")->geometry(), twips.toPixels({90, 60, 2130, 555}));
    EXPECT_EQ(control("cmdKbrdTest")->geometry(), twips.toPixels({1995, 1140, 1740, 390}));
    EXPECT_EQ(control("Label1")->pos(), QPoint(twips.toPixelsX(75), twips.toPixelsY(765)));
    EXPECT_EQ(control("Label2")->pos(), QPoint(twips.toPixelsX(1890), twips.toPixelsY(765)));
}

TEST_F(MainWindowTest, KeyHintsSizeThemselvesToOneLineOfText) {
    for (const char* name : {"Label1", "Label2"}) {
        auto* label = control<QLabel>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->size(), label->sizeHint()) << name;
        EXPECT_GE(label->height(), label->fontMetrics().height()) << name;
        EXPECT_LT(label->height(), 2 * label->fontMetrics().lineSpacing()) << name;
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << name;
    }
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("[A],[Z]"));
    EXPECT_EQ(control<QLabel>("Label2")->text(), QStringLiteral("['],[/]"));
}

TEST_F(MainWindowTest, ScoreAndLinkFontsAndColours) {
    auto* score = control<QLabel>("lblScore");
    EXPECT_EQ(score->text(), QStringLiteral("0:0"));
    EXPECT_EQ(score->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(score->font().pointSizeF(), 24.0);
    EXPECT_EQ(score->font().weight(), QFont::Bold);
    EXPECT_TRUE(score->alignment().testFlag(Qt::AlignHCenter));

    auto* link = control<QLabel>("lblURL");
    EXPECT_EQ(link->text(), QStringLiteral("Home Page"));
    EXPECT_EQ(link->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(link->font().pointSizeF(), 8.25);
    EXPECT_EQ(link->font().weight(), QFont::Bold);
    EXPECT_FALSE(link->font().italic() || link->font().underline() || link->font().strikeOut());
    EXPECT_TRUE(link->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_TRUE(link->autoFillBackground());
    EXPECT_EQ(link->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    // The designed faces resolve to fonts a Linux desktop has.
    EXPECT_TRUE(QFontInfo(score->font()).bold());
}

TEST_F(MainWindowTest, TheLinkShowsItsOwnCursorAndTheRestTheNormalOne) {
    auto* link = control("lblURL");
    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(2, 1));
    EXPECT_EQ(link->cursor().pixmap().size(), QSize(32, 32));
    EXPECT_EQ(form_.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(control("lblScore")->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndices) {
    const QStringList wanted{"lblScore", "cmdKbrdTest", "cmdGo", "Label1", "Label2", "lblURL"};
    QStringList chain;
    for (QWidget* w = form_.nextInFocusChain(); w != &form_; w = w->nextInFocusChain()) {
        if (wanted.contains(w->objectName())) {
            chain << w->objectName();
        }
    }
    EXPECT_EQ(chain, wanted);
}

TEST_F(MainWindowTest, GoHoldsTheFocusAndSpacePressesIt) {
    showAndActivate();
    EXPECT_EQ(QApplication::focusWidget(), control("cmdGo"));
    EXPECT_FALSE(control("cmdKbrdTest")->isVisible());
    for (const char* label : {"lblScore", "Label1", "Label2", "lblURL"}) {
        EXPECT_EQ(control(label)->focusPolicy(), Qt::NoFocus) << label;
    }
    QTest::keyClick(form_.windowHandle(), Qt::Key_Space);
    EXPECT_EQ(control<QLabel>("lblScore")->text(), QStringLiteral("0 : 0"));
    EXPECT_TRUE(form_.services().piece(Piece::Ball).isVisible());
}

TEST_F(MainWindowTest, BeforeGoNoPieceExistsAndNoTimerRuns) {
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        EXPECT_EQ(form_.services().existingPiece(piece), nullptr);
    }
    EXPECT_FALSE(timer("timerBall")->isActive());
    EXPECT_FALSE(timer("timerKbrd")->isActive());
}

TEST_F(MainWindowTest, GoStartsAMatchAndTheTimersTickAtTheirIntervals) {
    showAndActivate();
    QSignalSpy ticks(&form_, &MainWindow::ticked);
    QTest::mouseClick(control("cmdGo"), Qt::LeftButton);
    QTimer* ball = timer("timerBall");
    QTimer* keyboard = timer("timerKbrd");
    EXPECT_TRUE(ball->isActive());
    EXPECT_TRUE(keyboard->isActive());
    EXPECT_EQ(ball->interval(), 50);
    EXPECT_EQ(keyboard->interval(), 100);
    EXPECT_EQ(ball->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(keyboard->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(form_.game().SpeedX * form_.game().SpeedX, 400 * 400);
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        ASSERT_NE(form_.services().existingPiece(piece), nullptr);
        EXPECT_TRUE(form_.services().existingPiece(piece)->isVisible());
    }
    EXPECT_EQ(form_.services().left(Piece::LeftBat), 0.0f);
    const float ballLeft = form_.services().left(Piece::Ball);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 3; }, 5000));
    EXPECT_NE(form_.services().left(Piece::Ball), ballLeft);
    bool sawBallTick = false;
    for (const QList<QVariant>& tick : ticks) {
        sawBallTick = sawBallTick || tick.at(0).value<Timer>() == Timer::Ball;
    }
    EXPECT_TRUE(sawBallTick);
}

TEST_F(MainWindowTest, TheHiddenTestButtonTakesASnapshot) {
    form_.keys().press(90);
    control<QPushButton>("cmdKbrdTest")->click();
    EXPECT_EQ(form_.game().KeyState[90], 0x81);
    EXPECT_FALSE(form_.hasEnded());
}

TEST_F(MainWindowTest, EscapeAtAKeyboardTickEndsTheProgramWithStatus0) {
    showAndActivate();
    QSignalSpy ended(&form_, &MainWindow::programEnded);
    QTest::mouseClick(control("cmdGo"), Qt::LeftButton);
    QTest::simulateEvent(form_.windowHandle(), true, Qt::Key_Escape, Qt::NoModifier, QString(), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form_.hasEnded(); }, 5000));
    EXPECT_EQ(form_.exitCode(), 0);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 0);
    EXPECT_FALSE(form_.isVisible());
    EXPECT_FALSE(form_.services().piece(Piece::Ball).isVisible());
    EXPECT_FALSE(timer("timerBall")->isActive());
    EXPECT_FALSE(timer("timerKbrd")->isActive());
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsEverything) {
    showAndActivate();
    QTest::mouseClick(control("cmdGo"), Qt::LeftButton);
    EXPECT_TRUE(form_.close());
    EXPECT_TRUE(form_.hasEnded());
    EXPECT_EQ(form_.exitCode(), 0);
    EXPECT_FALSE(form_.services().piece(Piece::LeftBat).isVisible());
    EXPECT_FALSE(timer("timerBall")->isActive());
    bool ran = false;
    form_.runHandler([&] { ran = true; });
    EXPECT_FALSE(ran);
}

TEST_F(MainWindowTest, AnEscapingErrorIsOneLineOnStandardErrorAndStatus1) {
    QSignalSpy ended(&form_, &MainWindow::programEnded);
    std::ostringstream captured;
    std::streambuf* previous = std::cerr.rdbuf(captured.rdbuf());
    form_.runHandler([] { throw std::overflow_error("integer overflow"); });
    std::cerr.rdbuf(previous);
    EXPECT_EQ(captured.str(), "volleon: integer overflow\n");
    EXPECT_TRUE(form_.hasEnded());
    EXPECT_EQ(form_.exitCode(), 1);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 1);
}

// Receives the URLs that QDesktopServices would hand to a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

TEST_F(MainWindowTest, TheLinkOpensTheHomePageAndPlayGoesOn) {
    // The build's web address, or else the page beside this test program.
    const QString webAddress = QStringLiteral(VOLLEON_HOME_PAGE_URL);
    const QUrl expected = !webAddress.isEmpty() ? QUrl(webAddress)
                                                : QUrl::fromLocalFile(QFileInfo(QCoreApplication::applicationDirPath() +
                                                                                QStringLiteral("/" VOLLEON_HOME_PAGE_PLACE))
                                                                          .canonicalFilePath());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(expected.scheme(), &catcher, "open");
    showAndActivate();
    QTest::mouseClick(control("cmdGo"), Qt::LeftButton);
    QTest::mouseClick(control("lblURL"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(expected.scheme());
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls.front(), expected);
    EXPECT_FALSE(form_.hasEnded());
    EXPECT_TRUE(timer("timerBall")->isActive());
}

}  // namespace
}  // namespace volleon::qt

#include "main_window_test.moc"
