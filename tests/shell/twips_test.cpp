#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "expected_sizes.h"
#include "shell/qt/twips.h"

namespace volleon::qt {
namespace {

TEST(Twips, PerPixelFollowsTheLogicalDpi) {
    EXPECT_EQ(Twips::perPixelAt(96), 15.0f);
    EXPECT_EQ(Twips::perPixelAt(120), 12.0f);
    EXPECT_EQ(Twips::perPixelAt(144), 10.0f);
    EXPECT_EQ(Twips::perPixelAt(192), 7.5f);
}

TEST(Twips, DesignedSizesGoToTheNearestPixelWithTiesToEven) {
    struct Case {
        float perPixel;
        int twips;
        int pixels;
    };
    const Case cases[] = {
        {15.0f, 1005, 67},  {12.0f, 1005, 84},  {10.0f, 1005, 100}, {7.5f, 1005, 134},
        {15.0f, 555, 37},   {12.0f, 555, 46},   {10.0f, 555, 56},   {7.5f, 555, 74},
        {15.0f, 1500, 100}, {12.0f, 1500, 125}, {10.0f, 1500, 150}, {7.5f, 1500, 200},
        {15.0f, 2295, 153}, {12.0f, 2295, 191}, {10.0f, 2295, 230}, {7.5f, 2295, 306},
        {10.0f, 1155, 116}, {10.0f, 225, 22},   {10.0f, -15, -2},   {15.0f, -1000, -67},
    };
    for (const Case& c : cases) {
        const Twips twips(c.perPixel, c.perPixel);
        EXPECT_EQ(twips.toPixelsX(c.twips), c.pixels) << c.twips << " twips at " << c.perPixel;
        EXPECT_EQ(twips.toPixelsY(c.twips), c.pixels) << c.twips << " twips at " << c.perPixel;
    }
}

TEST(Twips, XAndYScaleSeparately) {
    const Twips twips(15.0f, 10.0f);
    EXPECT_EQ(twips.toPixels(design::TwipRect{150, 150, 300, 300}), QRect(10, 15, 20, 30));
    EXPECT_EQ(twips.fromPixelsX(67), 1005.0f);
    EXPECT_EQ(twips.fromPixelsY(67), 670.0f);
}

TEST(Twips, ScreenSizeIsPixelsTimesTwipsPerPixel) {
    const QScreen& screen = *QGuiApplication::primaryScreen();
    const float perPixel = testing::expectedSizes().twipsPerPixel;
    EXPECT_EQ(Twips::ofPrimaryScreen().perPixelX(), perPixel);
    EXPECT_EQ(Twips::ofPrimaryScreen().perPixelY(), perPixel);
    EXPECT_EQ(screenWidthTwips(), static_cast<float>(screen.geometry().width()) * perPixel);
    EXPECT_EQ(screenHeightTwips(), static_cast<float>(screen.geometry().height()) * perPixel);
}

TEST(Twips, TheTestScreenHasTheDpiItWasSetUpWith) {
    // Guards the 144 DPI run: with Qt's scaling on, Qt would report 96 DPI
    // and a device pixel ratio of 1.5 instead.
    const QScreen& screen = *QGuiApplication::primaryScreen();
    const QByteArray wanted = qgetenv("VOLLEON_TEST_DPI");
    if (!wanted.isEmpty()) {
        EXPECT_EQ(screen.logicalDotsPerInchX(), wanted.toDouble());
    }
    EXPECT_EQ(screen.devicePixelRatio(), 1.0);
}

}  // namespace
}  // namespace volleon::qt
