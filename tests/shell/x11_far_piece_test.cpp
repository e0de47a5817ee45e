// A bat taken far below the screen and brought back, on a real X server
// (the shell_x11 test runs these on a private Xvfb; elsewhere they skip).
#include <gtest/gtest.h>

#include <QColor>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "shell/qt/qt_services.h"
#include "shell/qt/x11/x11_display.h"

namespace volleon::qt {
namespace {

struct NativeState {
    int y = 0;
    bool viewable = false;
};

// How long a wait for the X server or for this process's own event loop
// may last. A wait ends as soon as what it waits for is there; the bound
// only stops a test that would otherwise hang, far above what the slowest
// machine the tests run on takes.
constexpr int kPatienceMs = 60000;

NativeState nativeState(const QWidget& window) {
    xcb_connection_t* connection = x11Connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr), &std::free);
    return {geometry ? geometry->y : 0, attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE};
}

// The colour the X server shows at a point of the screen, read with
// GetImage and decoded by the server's own byte order and its root visual's
// colour masks: what a player sees, whatever the byte order of this
// process (a screen grab through Qt on a big-endian client has read an
// LSB-first server's red as cyan). Empty where the screen is not 24-bit
// TrueColor in 32-bit pixels.
std::optional<QColor> screenColour(int x, int y) {
    xcb_connection_t* connection = x11Connection();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    const xcb_visualtype_t* visual = nullptr;
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem > 0 && visual == nullptr;
         xcb_depth_next(&depths)) {
        for (auto v = xcb_depth_visuals_iterator(depths.data); v.rem > 0; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual) {
                visual = v.data;
                break;
            }
        }
    }
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, static_cast<int16_t>(x),
                                          static_cast<int16_t>(y), 1, 1, ~0U),
                            nullptr),
        &std::free);
    if (!image || visual == nullptr || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR || image->depth != 24 ||
        xcb_get_image_data_length(image.get()) < 4) {
        return std::nullopt;
    }
    const std::uint8_t* b = xcb_get_image_data(image.get());
    const std::uint32_t pixel =
        setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST
            ? std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24
            : std::uint32_t{b[3]} | std::uint32_t{b[2]} << 8 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[0]} << 24;
    const auto channel = [pixel](std::uint32_t mask) {
        const int shift = std::countr_zero(mask);
        return static_cast<int>((pixel & mask) >> shift);
    };
    return QColor(channel(visual->red_mask), channel(visual->green_mask), channel(visual->blue_mask));
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
    EXPECT_EQ(services.top(Piece::LeftBat), far) << "the rules read back what they wrote";
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    // Each wait ends when the X server shows what is checked next; the
    // check then says what it shows if the wait ran out.
    static_cast<void>(QTest::qWaitFor([&] { return nativeState(bat).y > screenHeight; }, kPatienceMs));
    EXPECT_GT(nativeState(bat).y, screenHeight) << "the bat shows on the screen";

    const float back = 7000.0f;
    services.setTop(Piece::LeftBat, back);
    const int y = static_cast<int>(std::nearbyint(back / perPixel));
    static_cast<void>(QTest::qWaitFor(
        [&] {
            const NativeState now = nativeState(bat);
            return now.viewable && now.y == y;
        },
        kPatienceMs));
    const NativeState state = nativeState(bat);
    EXPECT_TRUE(state.viewable);
    EXPECT_EQ(state.y, y);
    // The bat paints itself once it is back, a moment later on a slow
    // machine: the screen is read until it shows red.
    std::optional<QColor> seen;
    const QDeadlineTimer deadline(kPatienceMs);
    for (;;) {
        seen = screenColour(bat.x() + bat.width() / 2, y + 20);
        if (seen == QColor(Qt::red) || deadline.hasExpired()) {
            break;
        }
        QTest::qWait(50);
    }
    ASSERT_TRUE(seen.has_value()) << "the screen is not 24-bit TrueColor";
    EXPECT_EQ(*seen, QColor(Qt::red)) << "the bat is not to be seen";
}

}  // namespace
}  // namespace volleon::qt
