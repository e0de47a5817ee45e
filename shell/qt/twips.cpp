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

float screenWidthTwips() {
    return Twips::ofPrimaryScreen().fromPixelsX(primaryScreen().geometry().width());
}

float screenHeightTwips() {
    return Twips::ofPrimaryScreen().fromPixelsY(primaryScreen().geometry().height());
}

}  // namespace volleon::qt
