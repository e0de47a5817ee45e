#include "twips.h"

#include <windows.h>

#include <cmath>

namespace volleon::win32 {

namespace {

constexpr double kTwipsPerInch = 1440.0;

int nearestPixel(double twips, float perPixel) {
    // nearbyint rounds in the current rounding mode: to nearest, ties to even.
    return static_cast<int>(std::nearbyint(twips / static_cast<double>(perPixel)));
}

int screenCaps(int index) {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return value;
}

}  // namespace

float Twips::perPixelAt(int logicalDpi) { return static_cast<float>(kTwipsPerInch / logicalDpi); }

Twips Twips::ofScreen() { return Twips(perPixelAt(screenCaps(LOGPIXELSX)), perPixelAt(screenCaps(LOGPIXELSY))); }

int Twips::toPixelsX(double twips) const { return nearestPixel(twips, perPixelX_); }

int Twips::toPixelsY(double twips) const { return nearestPixel(twips, perPixelY_); }

int logicalDpiY() { return screenCaps(LOGPIXELSY); }

float screenWidthTwips() { return Twips::ofScreen().fromPixelsX(GetSystemMetrics(SM_CXSCREEN)); }

float screenHeightTwips() { return Twips::ofScreen().fromPixelsY(GetSystemMetrics(SM_CYSCREEN)); }

}  // namespace volleon::win32
