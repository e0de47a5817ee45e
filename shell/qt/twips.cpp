#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace volleon::shell {

namespace {

constexpr double kTwipsPerInch = 1440.0;

int nearestPixel(double twips, float perPixel) {
    return static_cast<int>(std::nearbyint(twips / static_cast<double>(perPixel)));
}

QScreen& primaryScreen() { return *QGuiApplication::primaryScreen(); }

}  // namespace

float Twips::perPixelAt(double logicalDpi) { return static_cast<float>(kTwipsPerInch / logicalDpi); }

Twips Twips::ofPrimaryScreen() {
    const QScreen& screen = primaryScreen();
    return Twips(perPixelAt(screen.logicalDotsPerInchX()), perPixelAt(screen.logicalDotsPerInchY()));
}

int Twips::toPixelsX(double twips) const { return nearestPixel(twips, perPixelX_); }

int Twips::toPixelsY(double twips) const { return nearestPixel(twips, perPixelY_); }

QRect Twips::toPixels(const design::TwipRect& rect) const {
    return QRect(toPixelsX(rect.left), toPixelsY(rect.top), toPixelsX(rect.width), toPixelsY(rect.height));
}

float screenWidthTwips() {
    return Twips::ofPrimaryScreen().fromPixelsX(primaryScreen().geometry().width());
}

float screenHeightTwips() {
    return Twips::ofPrimaryScreen().fromPixelsY(primaryScreen().geometry().height());
}

}  // namespace volleon::shell
