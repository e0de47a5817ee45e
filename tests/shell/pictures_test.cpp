#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "shell/qt/pictures.h"

namespace volleon::qt {
namespace {

TEST(Pictures, TheIconIsAYellowFaceWithARedTongueOnTransparency) {
    const QImage icon = iconPixmap().toImage();
    ASSERT_EQ(icon.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(15, 15)), 0);
    EXPECT_EQ(QColor(icon.pixel(3, 7)), QColor(255, 255, 0));   // cheek
    EXPECT_EQ(QColor(icon.pixel(0, 7)), QColor(0, 0, 0));       // outline
    EXPECT_EQ(QColor(icon.pixel(5, 4)), QColor(0, 0, 0));       // eye
    EXPECT_EQ(QColor(icon.pixel(7, 12)), QColor(255, 0, 0));    // tongue
    // At most 16 colours, plus transparency.
    QSet<QRgb> colours;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            colours.insert(icon.pixel(x, y));
        }
    }
    EXPECT_LE(colours.size(), 17);
}

TEST(Pictures, TheApplicationUsesTheIcon) {
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(QApplication::windowIcon().pixmap(16, 16).toImage().pixel(7, 12), qRgb(255, 0, 0));
}

TEST(Pictures, TheLinkCursorIsATwoColourArrowWithItsTipOnTheHotSpot) {
    const QCursor cursor = linkCursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(2, 1));
    const QImage image = cursor.pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(QColor(image.pixel(2, 1)), QColor(0, 0, 0));      // the tip
    EXPECT_EQ(QColor(image.pixel(3, 5)), QColor(255, 255, 255)); // inside the arrow
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 0) {
                EXPECT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace volleon::qt
