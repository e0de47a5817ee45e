// The piece table both bindings share, on a stand-in window system: a screen
// that can lie anywhere on the desktop and change during play, and windows
// that record where they were sent.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>

#include "shell/core/desktop_services.h"
#include "shell/core/native_position.h"

namespace volleon::core {
namespace {

struct FakeWindow final : PieceWindow {
    explicit FakeWindow(const design::WindowDesign& design) : PieceWindow(design) {}
    PixelPosition nativePosition() const override { return at; }
    PixelSize nativeSize() const override { return size; }
    void moveNative(PixelPosition position) override {
        at = position;
        ++moves;
    }
    bool isVisible() const override { return visible; }
    void showNative() override { visible = true; }
    void round(int, int) override {}
    void closeNative() override { visible = false; }

    PixelPosition at{-1, -1};
    PixelSize size{67, 67};
    bool visible = false;
    int moves = 0;
};

// The services on a screen that a test can move and resize, with windows
// that record where they were sent.
class FakeDesktop final : public DesktopServicesOf<FakeWindow> {
public:
    FakeDesktop() : DesktopServicesOf(binding(*this)) {}

    FakeWindow& window(Piece piece) { return this->piece(piece); }

    ScreenArea screen{design::TwipScale(15.0f, 15.0f), 0, 0, 1920, 1080};
    int closedWith = -1;

private:
    static Binding binding(FakeDesktop& desktop) {
        return Binding{
            .primaryScreen = [&desktop] { return desktop.screen; },
            .createPieceWindow =
                [](const design::WindowDesign& design) -> std::unique_ptr<PieceWindow> {
                return std::make_unique<FakeWindow>(design);
            },
            .setScoreText = [](const std::string&) {},
            .enableTimer = [](Timer) {},
            .keyboardSnapshot = [](KeyStateBuffer&) {},
            .closeProgram = [&desktop](int exitCode) { desktop.closedWith = exitCode; },
        };
    }
};

TEST(DesktopServices, PositionsAreMeasuredFromThePrimaryScreensCorner) {
    FakeDesktop desktop;
    // A primary screen of 960 x 540 at +960+0, right of another monitor.
    desktop.screen.left = 960;
    desktop.screen.width = 960;
    desktop.screen.height = 540;
    EXPECT_EQ(desktop.screenWidth(), 14400.0f);
    // Created centred on the primary screen.
    EXPECT_EQ(desktop.left(Piece::Ball), (14400.0f - 1005.0f) / 2);
    EXPECT_EQ(desktop.window(Piece::Ball).at, (PixelPosition{960 + 446, 236}));
    desktop.setLeft(Piece::Ball, 0.0f);
    EXPECT_EQ(desktop.window(Piece::Ball).at.x, 960);

    // The primary screen moves during play: the next move follows it, and
    // the piece keeps its twips until then.
    desktop.screen.left = 0;
    desktop.screen.top = 100;
    EXPECT_EQ(desktop.left(Piece::Ball), 0.0f);
    desktop.setTop(Piece::Ball, 150.0f);
    EXPECT_EQ(desktop.window(Piece::Ball).at, (PixelPosition{0, 110}));
}

TEST(DesktopServices, FarPositionsKeepTheirTwipsWhileTheWindowStaysInRange) {
    FakeDesktop desktop;
    desktop.show(Piece::LeftBat);
    // Minutes of a held key take a bat a million twips down: the rules read
    // back exactly what they wrote, the native window stops at the limit.
    const float far = 1.0e6f + 350.0f;
    desktop.setTop(Piece::LeftBat, far);
    EXPECT_EQ(desktop.top(Piece::LeftBat), far);
    EXPECT_EQ(desktop.window(Piece::LeftBat).at.y, kNativePositionLimit);
    desktop.setTop(Piece::LeftBat, -far);
    EXPECT_EQ(desktop.window(Piece::LeftBat).at.y, -kNativePositionLimit);
    desktop.setTop(Piece::LeftBat, 7000.0f);
    EXPECT_EQ(desktop.top(Piece::LeftBat), 7000.0f);
    EXPECT_EQ(desktop.window(Piece::LeftBat).at.y, 467);
    EXPECT_TRUE(desktop.window(Piece::LeftBat).visible);
}

TEST(DesktopServices, AWindowMovedByTheSystemIsReadWhereItStands) {
    FakeDesktop desktop;
    desktop.setLeft(Piece::RightBat, 1000.7f);
    EXPECT_EQ(desktop.left(Piece::RightBat), 1000.7f);
    desktop.window(Piece::RightBat).at = PixelPosition{100, 200};
    EXPECT_EQ(desktop.left(Piece::RightBat), 1500.0f);
    EXPECT_EQ(desktop.top(Piece::RightBat), 3000.0f);
}

TEST(DesktopServices, HeldMovesReachTheWindowOnceAndBeforeAShow) {
    FakeDesktop desktop;
    FakeWindow& ball = desktop.window(Piece::Ball);
    const int created = ball.moves;
    desktop.holdPieceMoves(true);
    desktop.setLeft(Piece::Ball, 3000.0f);
    desktop.setTop(Piece::Ball, 4500.0f);
    desktop.setLeft(Piece::Ball, 6000.0f);
    EXPECT_EQ(ball.moves, created);
    EXPECT_EQ(desktop.left(Piece::Ball), 6000.0f) << "the rules read what they wrote";
    EXPECT_EQ(desktop.top(Piece::Ball), 4500.0f);
    // A window appears where the rules last put it.
    desktop.show(Piece::Ball);
    EXPECT_EQ(ball.at, (PixelPosition{400, 300}));
    desktop.setTop(Piece::Ball, 0.0f);
    desktop.holdPieceMoves(false);
    EXPECT_EQ(ball.moves, created + 2);
    EXPECT_EQ(ball.at, (PixelPosition{400, 0}));
}

TEST(DesktopServices, AnErrorInAHandlerEndsTheProgramOnceAndNoHandlerRunsAfterwards) {
    FakeDesktop desktop;
    desktop.runHandler([] {});
    EXPECT_FALSE(desktop.hasEnded());
    desktop.runHandler([] { throw std::overflow_error("overflow"); });
    EXPECT_TRUE(desktop.hasEnded());
    EXPECT_EQ(desktop.exitCode(), 1);
    EXPECT_EQ(desktop.closedWith, 1);
    desktop.endProgram();
    EXPECT_EQ(desktop.closedWith, 1) << "the program ends once";
    bool ran = false;
    desktop.runHandler([&] { ran = true; });
    EXPECT_FALSE(ran);
}

struct Stranded {
    const char* name;
    int left, top, width, height;
    PixelPosition expected;
};

// A failing row is printed by its name, not as its bytes.
void PrintTo(const Stranded& row, std::ostream* os) { *os << row.name; }

class PlaceOnScreen : public ::testing::TestWithParam<Stranded> {};

TEST_P(PlaceOnScreen, BringsTheWindowWhollyOntoTheScreen) {
    // A 1280 x 720 primary screen at +1280+0.
    const ScreenArea screen{design::TwipScale(15.0f, 15.0f), 1280, 0, 1280, 720};
    const Stranded& row = GetParam();
    EXPECT_EQ(placeOnScreen(screen, row.left, row.top, row.width, row.height), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PlaceOnScreen,
    ::testing::Values(Stranded{"OnScreenStays", 1500, 10, 155, 120, {1500, 10}},
                      Stranded{"PastTheRightEdge", 2485, 0, 155, 120, {2405, 0}},
                      Stranded{"LeftOfTheScreen", 1205, 0, 155, 120, {1280, 0}},
                      Stranded{"BelowTheScreen", 1500, 900, 155, 120, {1500, 600}},
                      Stranded{"LargerThanTheScreenShowsItsCorner", 1000, -50, 2000, 800, {1280, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace volleon::core
