#include "twips.h"

#include <windows.h>

namespace volleon::win32 {

namespace {

int screenCaps(int index) {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return value;
}

}  // namespace

Twips Twips::ofScreen() { return Twips(perPixelAt(screenCaps(LOGPIXELSX)), perPixelAt(screenCaps(LOGPIXELSY))); }

int logicalDpiY() { return screenCaps(LOGPIXELSY); }

float screenWidthTwips() { return Twips::ofScreen().fromPixelsX(GetSystemMetrics(SM_CXSCREEN)); }

float screenHeightTwips() { return Twips::ofScreen().fromPixelsY(GetSystemMetrics(SM_CYSCREEN)); }

}  // namespace volleon::win32
