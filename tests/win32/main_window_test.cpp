// The main window on Windows: where it opens, its frame, its controls as
// the design places them, the link's look and cursor, and the handlers it
// runs from its button, its timers and its close button.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cmath>
#include <memory>

#include "shell/design/designs.h"
#include "shell/win32/main_window.h"
#include "shell/win32/pictures.h"
#include "shell/win32/text.h"
#include "shell/win32/twips.h"
#include "win32_test_support.h"

namespace volleon::win32 {
namespace {

using namespace std::chrono_literals;
using test::childRect;
using test::windowRect;

int pixelsX(double twips) { return static_cast<int>(std::nearbyint(twips / Twips::ofScreen().perPixelX())); }
int pixelsY(double twips) { return static_cast<int>(std::nearbyint(twips / Twips::ofScreen().perPixelY())); }

void setKeys(std::initializer_list<int> held) {
    BYTE state[256] = {};
    for (int key : held) {
        state[key] = 0x80;
    }
    SetKeyboardState(state);
}

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<MainWindow> form = std::make_unique<MainWindow>(test::instance());

    ~MainWindowTest() override { setKeys({}); }

    HWND control(std::string_view name) { return form->control(name); }

    PieceWindow* piece(Piece piece) { return form->services().existingPiece(piece); }

    void pressGo() { SendMessageW(control("cmdGo"), BM_CLICK, 0, 0); }
};

TEST_F(MainWindowTest, LoadsHiddenCentredAlongTheTopEdge) {
    const RECT rect = windowRect(form->handle());
    EXPECT_FALSE(IsWindowVisible(form->handle()));
    EXPECT_EQ(rect.top, 0);
    const double centredLeft = screenWidthTwips() / 2.0 - form->outerWidth() / 2.0;
    EXPECT_EQ(rect.left, pixelsX(centredLeft));
    RECT client{};
    GetClientRect(form->handle(), &client);
    EXPECT_EQ(client.right, pixelsX(2295));
    EXPECT_EQ(client.bottom, pixelsY(1410));
}

TEST_F(MainWindowTest, HasAFixedFrameWithWindowMenuAndCloseButtonOnly) {
    const LONG_PTR style = GetWindowLongPtrW(form->handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP));
    EXPECT_TRUE(GetWindowLongPtrW(form->handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW) << "taskbar button";
    EXPECT_EQ(test::windowText(form->handle()), L"Volleon!");
    EXPECT_NE(GetClassLongPtrW(form->handle(), GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrW(form->handle(), GCLP_HICONSM), 0);
}

TEST_F(MainWindowTest, ControlsStandWhereTheirDesignsPutThem) {
    for (const design::ControlDesign& design : design::kForm1.controls) {
        SCOPED_TRACE(std::string(design.name));
        HWND hwnd = control(design.name);
        if (design.kind == design::ControlKind::Timer) {
            EXPECT_EQ(hwnd, nullptr);
            continue;
        }
        ASSERT_NE(hwnd, nullptr);
        wchar_t className[16] = {};
        GetClassNameW(hwnd, className, 16);
        EXPECT_STREQ(className, design.kind == design::ControlKind::PushButton ? L"Button" : L"Static");
        if (design.kind == design::ControlKind::PushButton) {
            // Drawn by Common Controls 6, in the system's current style.
            SIZE ideal{};
            EXPECT_TRUE(SendMessageW(hwnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
        }
        EXPECT_EQ(test::windowText(hwnd), widen(design.text));
        // The window itself is hidden until the caller shows it.
        EXPECT_EQ((GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0, design.visible);
        const RECT rect = childRect(hwnd);
        EXPECT_EQ(rect.left, pixelsX(design.rect.left));
        EXPECT_EQ(rect.top, pixelsY(design.rect.top));
        if (design.autoSize) {
            // One line high and as wide as the text, in the label's font.
            HDC dc = GetDC(hwnd);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
            const std::wstring text = widen(design.text);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            SelectObject(dc, old);
            ReleaseDC(hwnd, dc);
            EXPECT_EQ(rect.right - rect.left, size.cx);
            EXPECT_EQ(rect.bottom - rect.top, size.cy);
        } else {
            EXPECT_EQ(rect.right - rect.left, pixelsX(design.rect.width));
            EXPECT_EQ(rect.bottom - rect.top, pixelsY(design.rect.height));
        }
    }
}

TEST_F(MainWindowTest, FontsHaveTheDesignedFaceSizeWeightAndCharacterSet) {
    const struct {
        std::string_view control;
        const wchar_t* face;
        double points;
        LONG weight;
        BYTE characterSet;
    } cases[] = {
        {"lblScore", L"Arial", 24.0, 700, 177},
        {"lblURL", L"MS Sans Serif", 8.25, 700, 0},
        {"cmdGo", L"MS Sans Serif", 8.0, 400, 0},  // the window's own font
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.control));
        LOGFONTW font{};
        ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(c.control), WM_GETFONT, 0, 0)),
                             sizeof(font), &font),
                  0);
        EXPECT_STREQ(font.lfFaceName, c.face);
        EXPECT_EQ(font.lfHeight, -std::lround(c.points * logicalDpiY() / 72.0));
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(font.lfCharSet, c.characterSet);
        EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    }
}

TEST_F(MainWindowTest, TheLinkIsBlueOnYellowWithItsOwnCursor) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(form->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control("lblURL"))));
    LOGBRUSH back{};
    ASSERT_NE(GetObjectW(brush, sizeof(back), &back), 0);
    EXPECT_EQ(back.lbColor, RGB(255, 255, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
    DeleteDC(dc);

    HCURSOR link = linkCursor(test::instance());
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(SendMessageW(form->handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control("lblURL")),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), link);
    SendMessageW(form->handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(control("lblScore")),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), link) << "the link cursor stays off the link";
}

TEST_F(MainWindowTest, GoStartsAMatchAndTheTimersDriveIt) {
    EXPECT_EQ(piece(Piece::Ball), nullptr) << "no piece before the first match";
    EXPECT_EQ(test::windowText(control("lblScore")), L"0:0");
    pressGo();
    for (Piece p : {Piece::Ball, Piece::LeftBat, Piece::RightBat}) {
        ASSERT_NE(piece(p), nullptr);
        EXPECT_TRUE(IsWindowVisible(piece(p)->handle()));
    }
    EXPECT_EQ(test::windowText(control("lblScore")), L"0 : 0");
    EXPECT_TRUE(form->timerEnabled(Timer::Ball));
    EXPECT_TRUE(form->timerEnabled(Timer::Keyboard));
    EXPECT_EQ(windowRect(piece(Piece::LeftBat)->handle()).left, 0);
    EXPECT_EQ(windowRect(piece(Piece::RightBat)->handle()).right, GetSystemMetrics(SM_CXSCREEN));

    // The timers tick on the message loop: the ball flies, and a held A
    // moves the left bat up by whole steps.
    const float ballLeft = form->services().left(Piece::Ball);
    const float batTop = form->services().top(Piece::LeftBat);
    setKeys({'A'});
    ASSERT_FALSE(test::pumpMessages(400ms));
    EXPECT_NE(form->services().left(Piece::Ball), ballLeft);
    const float steps = (batTop - form->services().top(Piece::LeftBat)) / 350.0f;
    EXPECT_GE(steps, 1.0f);
    EXPECT_EQ(steps, std::round(steps));
}

TEST_F(MainWindowTest, EscapeAtAKeyboardTickEndsTheProgramWithStatusZero) {
    setKeys({VK_ESCAPE});
    ASSERT_FALSE(test::pumpMessages(300ms)) << "Escape before the first match ended the program";
    pressGo();
    HWND ball = piece(Piece::Ball)->handle();
    int exitCode = -1;
    ASSERT_TRUE(test::pumpMessages(1000ms, &exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(form->hasEnded());
    EXPECT_FALSE(IsWindow(ball));
}

TEST_F(MainWindowTest, ClosingEndsTheProgramAndNoHandlerRunsAfterIt) {
    pressGo();
    HWND bat = piece(Piece::LeftBat)->handle();
    SendMessageW(form->handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form->hasEnded());
    EXPECT_EQ(form->exitCode(), 0);
    EXPECT_FALSE(IsWindow(bat));
    int exitCode = -1;
    EXPECT_TRUE(test::pumpMessages(200ms, &exitCode));
    EXPECT_EQ(exitCode, 0);

    // A late click of the start button finds the game over.
    SendMessageW(control("cmdGo"), BM_CLICK, 0, 0);
    EXPECT_EQ(piece(Piece::Ball), nullptr);
    EXPECT_FALSE(test::pumpMessages(200ms));
}

}  // namespace
}  // namespace volleon::win32
