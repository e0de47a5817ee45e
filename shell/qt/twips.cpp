#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace volleon::qt {

namespace {

QScreen& primaryScreen() { return *QGuiApplication::primaryScreen(); }

}  // namespace

Twips Twips::ofPrimaryScreen() {
    const QScreen& screen = primaryScreen();
    return Twips(perPixelAt(screen.logicalDotsPerInchX()), perPixelAt(screen.logicalDotsPerInchY()));
}

QRect Twips::toPixels(const design::TwipRect& rect) const {
    return QRect(toPixelsX(rect.left), toPixelsY(rect.top), toPixelsX(rect.width), toPixelsY(rect.height));
}

core::ScreenArea primaryScreenArea() {
    const QRect geometry = primaryScreen().geometry();
    return core::ScreenArea{Twips::ofPrimaryScreen(), geometry.x(), geometry.y(), geometry.width(), geometry.height()};
}

float screenWidthTwips() {
    return Twips::ofPrimaryScreen().fromPixelsX(primaryScreen().geometry().width());
}

float screenHeightTwips() {
    return Twips::ofPrimaryScreen().fromPixelsY(primaryScreen().geometry().height());
}

}  // namespace volleon::qt
