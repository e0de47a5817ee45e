// A bat taken far below the screen and brought back, on a real X server
// (the shell_x11 test runs these on a private Xvfb; elsewhere they skip).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "shell/qt/qt_services.h"
#include "shell/qt/x11/x11_display.h"

namespace volleon::qt {
namespace {

struct NativeState {
    int y = 0;
    bool viewable = false;
};

NativeState nativeState(const QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr), &std::free);
    return {geometry ? geometry->y : 0, attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE};
}

TEST(OnX11, ABatFarBelowTheScreenComesBackVisibleAtItsPlace) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        GTEST_SKIP() << "needs an X server";
    }
    QLabel score;
    QTimer ballTimer;
    QTimer keyboardTimer;
    KeyStateTracker keys;
    QtServices services{{score, ballTimer, keyboardTimer, keys, [](int) {}}};
    services.show(Piece::LeftBat);
    const PieceWindow& bat = services.piece(Piece::LeftBat);
    const float perPixel = services.twipsPerPixelY();

    // Held down for minutes: a 16-bit coordinate would have wrapped round
    // to 500 pixels from the top of the screen.
    const float far = perPixel * (65536.0f + 500.0f);
    services.setTop(Piece::LeftBat, far);
    QTest::qWait(100);
    EXPECT_EQ(services.top(Piece::LeftBat), far) << "the rules read back what they wrote";
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    EXPECT_GT(nativeState(bat).y, screenHeight) << "the bat shows on the screen";

    const float back = 7000.0f;
    services.setTop(Piece::LeftBat, back);
    QTest::qWait(300);
    const NativeState state = nativeState(bat);
    EXPECT_TRUE(state.viewable);
    const int y = static_cast<int>(std::nearbyint(back / perPixel));
    EXPECT_EQ(state.y, y);
    const QImage seen = QGuiApplication::primaryScreen()->grabWindow(0, bat.x() + bat.width() / 2, y + 20, 1, 1).toImage();
    EXPECT_EQ(QColor(seen.pixel(0, 0)), QColor(Qt::red)) << "the bat is not to be seen";
}

}  // namespace
}  // namespace volleon::qt
