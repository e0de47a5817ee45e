// The piece windows and the screen as the Win32 services give them: twips
// at the screen's logical DPI, creation on first use, sizes, positions kept
// in twips, showing without activation and the ball's elliptic region.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "shell/win32/twips.h"
#include "shell/win32/win32_services.h"
#include "win32_test_support.h"

namespace volleon::win32 {
namespace {

using test::windowRect;

// Nearest pixel of a twip length, as a window of that design gets it.
int pixels(double twips, float perPixel) { return static_cast<int>(std::nearbyint(twips / perPixel)); }

TEST(ScreenMetrics, TheManifestDeclaresSystemDpiAwarenessOnly) {
    // Without it, Windows would scale the windows and tell the program 96
    // DPI on a screen of another DPI; per-monitor awareness would leave a
    // window unscaled on a monitor of another DPI, which the program does
    // not follow. (Wine scales nothing either way, and reports per-monitor
    // awareness for both.)
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(resource, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    const std::string manifest(text, SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
    EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos) << manifest;
}

TEST(ScreenMetrics, FollowTheScreensLogicalDpi) {
    const char* expected = std::getenv("VOLLEON_EXPECTED_DPI");
    if (expected == nullptr) {
        GTEST_SKIP() << "VOLLEON_EXPECTED_DPI is not set";
    }
    const float perPixel = 1440.0f / static_cast<float>(std::atoi(expected));
    const Twips twips = Twips::ofScreen();
    EXPECT_FLOAT_EQ(twips.perPixelX(), perPixel);
    EXPECT_FLOAT_EQ(twips.perPixelY(), perPixel);
    EXPECT_FLOAT_EQ(screenWidthTwips(), static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * perPixel);
    EXPECT_FLOAT_EQ(screenHeightTwips(), static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * perPixel);
}

class PieceWindowTest : public ::testing::Test {
protected:
    Win32Services services{{test::instance(), nullptr, [](Timer) {}, [](int) {}}};
    float perPixelX = Twips::ofScreen().perPixelX();
    float perPixelY = Twips::ofScreen().perPixelY();

    HWND handle(Piece piece) { return services.piece(piece).handle(); }
};

TEST_F(PieceWindowTest, FirstUseCreatesOneHiddenWindowAtTheScreensCentre) {
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        EXPECT_EQ(services.existingPiece(piece), nullptr);
    }
    const float width = services.width(Piece::RightBat);
    PieceWindow* bat = services.existingPiece(Piece::RightBat);
    ASSERT_NE(bat, nullptr);
    EXPECT_EQ(&services.piece(Piece::RightBat), bat) << "a later use finds the same window";
    EXPECT_EQ(services.existingPiece(Piece::Ball), nullptr);
    EXPECT_FALSE(IsWindowVisible(bat->handle()));

    const float height = services.height(Piece::RightBat);
    EXPECT_FLOAT_EQ(services.left(Piece::RightBat), (services.screenWidth() - width) / 2);
    EXPECT_FLOAT_EQ(services.top(Piece::RightBat), (services.screenHeight() - height) / 2);
    const RECT rect = windowRect(bat->handle());
    EXPECT_EQ(rect.left, pixels(services.left(Piece::RightBat), perPixelX));
    EXPECT_EQ(rect.top, pixels(services.top(Piece::RightBat), perPixelY));
}

TEST_F(PieceWindowTest, SizesAreTheDesignedClientAreasPlusTheFrame) {
    // The ball has no frame; each bat has a one-pixel line around it.
    EXPECT_FLOAT_EQ(services.width(Piece::Ball), pixels(1005, perPixelX) * perPixelX);
    EXPECT_FLOAT_EQ(services.height(Piece::Ball), pixels(1005, perPixelY) * perPixelY);
    for (Piece bat : {Piece::LeftBat, Piece::RightBat}) {
        EXPECT_FLOAT_EQ(services.width(bat), (pixels(555, perPixelX) + 2) * perPixelX);
        EXPECT_FLOAT_EQ(services.height(bat), (pixels(1500, perPixelY) + 2) * perPixelY);
    }
    if (perPixelX == 15.0f && perPixelY == 15.0f) {
        EXPECT_EQ(services.width(Piece::Ball), 1005.0f);
        EXPECT_EQ(services.width(Piece::LeftBat), 585.0f);
        EXPECT_EQ(services.height(Piece::LeftBat), 1530.0f);
    }
}

TEST_F(PieceWindowTest, PiecesArePopupToolWindowsThatNeverTakeTheFocus) {
    for (Piece piece : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        const LONG_PTR style = GetWindowLongPtrW(handle(piece), GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(handle(piece), GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_FALSE(style & (WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME)) << "no title bar, no window menu";
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no taskbar button";
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
        EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
        EXPECT_EQ(GetWindow(handle(piece), GW_OWNER), nullptr);
        EXPECT_EQ((style & WS_BORDER) != 0, piece != Piece::Ball) << "only the bats have a border line";
    }
    EXPECT_EQ(test::windowText(handle(Piece::Ball)), L"Ball");
    EXPECT_EQ(test::windowText(handle(Piece::LeftBat)), L"");
}

TEST_F(PieceWindowTest, PositionsKeepTheirTwipsAndStandAtTheNearestPixel) {
    // Halves go to the even pixel.
    const struct {
        double pixels;
        LONG nearest;
    } cases[] = {{22.5, 22}, {23.5, 24}, {100.25, 100}, {-3.5, -4}, {-2.75, -3}};
    for (const auto& c : cases) {
        const float left = static_cast<float>(c.pixels * perPixelX);
        const float top = static_cast<float>(c.pixels * perPixelY);
        services.setLeft(Piece::LeftBat, left);
        services.setTop(Piece::LeftBat, top);
        EXPECT_EQ(services.left(Piece::LeftBat), left);
        EXPECT_EQ(services.top(Piece::LeftBat), top);
        const RECT rect = windowRect(handle(Piece::LeftBat));
        EXPECT_EQ(rect.left, c.nearest) << c.pixels << " pixels across";
        EXPECT_EQ(rect.top, c.nearest) << c.pixels << " pixels down";
    }
    // Moving one coordinate leaves the other as it was set.
    services.setLeft(Piece::LeftBat, 1234.5f);
    EXPECT_EQ(services.top(Piece::LeftBat), static_cast<float>(-2.75 * perPixelY));
}

TEST_F(PieceWindowTest, ABatFarBelowTheScreenComesBackVisibleAtItsPlace) {
    services.show(Piece::LeftBat);
    // Held down for minutes: past the 16-bit coordinates of the X server
    // under Wine and farBelow off every screen.
    const float farBelow = static_cast<float>(perPixelY * (65536.0 + 500.0));
    services.setTop(Piece::LeftBat, farBelow);
    test::pumpMessages(std::chrono::milliseconds(100));
    EXPECT_EQ(services.top(Piece::LeftBat), farBelow) << "the rules read back what they wrote";
    EXPECT_GT(windowRect(handle(Piece::LeftBat)).top, GetSystemMetrics(SM_CYSCREEN));

    const float back = 7000.0f;
    services.setTop(Piece::LeftBat, back);
    const RECT rect = windowRect(handle(Piece::LeftBat));
    EXPECT_EQ(rect.top, pixels(back, perPixelY));
    EXPECT_TRUE(IsWindowVisible(handle(Piece::LeftBat)));
    // What the screen shows there: the red of the bat, once the window has
    // painted the part that came back into view. Windows paints when the
    // queue is otherwise empty, and under Wine the X server shows it some
    // time after that: the screen is read until it shows the bat, or for
    // five seconds at most.
    COLORREF seen = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    do {
        test::pumpMessages(std::chrono::milliseconds(50));
        HDC screen = GetDC(nullptr);
        seen = GetPixel(screen, (rect.left + rect.right) / 2, rect.top + 20);
        ReleaseDC(nullptr, screen);
    } while (seen != RGB(255, 0, 0) && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(seen, RGB(255, 0, 0)) << "the bat is not to be seen";
}

TEST_F(PieceWindowTest, AWindowMovedByOthersReportsWhereItStands) {
    services.setLeft(Piece::Ball, 1000.3f);
    SetWindowPos(handle(Piece::Ball), nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FLOAT_EQ(services.left(Piece::Ball), 50 * perPixelX);
    EXPECT_FLOAT_EQ(services.top(Piece::Ball), 60 * perPixelY);
}

TEST_F(PieceWindowTest, ShowingAPieceLeavesTheActiveWindowAndThePlaceAlone) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                 nullptr, nullptr, test::instance(), nullptr);
    SetActiveWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);

    services.setLeft(Piece::Ball, 3000.0f);
    services.show(Piece::Ball);
    EXPECT_TRUE(IsWindowVisible(handle(Piece::Ball)));
    EXPECT_EQ(GetActiveWindow(), other);
    services.show(Piece::Ball);
    EXPECT_EQ(services.left(Piece::Ball), 3000.0f) << "showing a visible piece moved it";
    DestroyWindow(other);
}

TEST_F(PieceWindowTest, RoundingClipsTheBallToTheInscribedEllipse) {
    services.roundBall(67, 67);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(handle(Piece::Ball), region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 33, 33));
    EXPECT_TRUE(PtInRegion(region, 33, 2));
    EXPECT_TRUE(PtInRegion(region, 2, 33));
    EXPECT_FALSE(PtInRegion(region, 3, 3)) << "corner of the window";
    EXPECT_FALSE(PtInRegion(region, 63, 63)) << "corner of the window";
    RECT box{};
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_GE(box.right, 66);
    EXPECT_LE(box.right, 67);

    // A new start gives the window a new region.
    services.roundBall(20, 30);
    ASSERT_NE(GetWindowRgn(handle(Piece::Ball), region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 10, 15));
    EXPECT_FALSE(PtInRegion(region, 33, 33));
    DeleteObject(region);
}

TEST_F(PieceWindowTest, TheBallsCircleFillsItsWindowFromLoading) {
    const PieceWindow& ball = services.piece(Piece::Ball);
    ASSERT_TRUE(ball.shape().has_value());
    EXPECT_EQ(ball.shape()->left, 0.0f);
    EXPECT_EQ(ball.shape()->top, 0.0f);
    EXPECT_EQ(ball.shape()->width, services.width(Piece::Ball));
    EXPECT_EQ(ball.shape()->height, services.height(Piece::Ball));
    EXPECT_FALSE(services.piece(Piece::LeftBat).shape().has_value());
}

TEST_F(PieceWindowTest, KeyboardSnapshotIsTheThreadsKeyState) {
    BYTE state[256] = {};
    state[65] = 0x80;
    state[90] = 0x01;
    state[27] = 0x81;
    SetKeyboardState(state);
    KeyStateBuffer buffer;
    buffer.fill(0x5A);
    services.keyboardSnapshot(buffer);
    EXPECT_EQ(buffer[65], 0x80);
    EXPECT_EQ(buffer[90], 0x01);
    EXPECT_EQ(buffer[27], 0x81);
    EXPECT_EQ(buffer[222], 0x00);
    EXPECT_EQ(buffer[256], 0x5A) << "the spare entry is never written";
    const BYTE released[256] = {};
    SetKeyboardState(const_cast<BYTE*>(released));
}

TEST_F(PieceWindowTest, DestroyingThePiecesClosesTheirWindows) {
    HWND ball = handle(Piece::Ball);
    services.destroyPieces();
    EXPECT_FALSE(IsWindow(ball));
    EXPECT_EQ(services.existingPiece(Piece::Ball), nullptr);
}

}  // namespace
}  // namespace volleon::win32
