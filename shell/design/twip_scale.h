// Twips (1/1440 inch) and screen pixels. The number of twips per pixel
// follows the screen's logical DPI: 15 at 96 DPI, 10 at 144 DPI. Each binding
// adds how it reads its screen's DPI.
#pragma once

#include <cmath>

namespace volleon::design {

class TwipScale {
public:
    // Twips per pixel of a screen of that logical DPI.
    static float perPixelAt(double logicalDpi) { return static_cast<float>(kTwipsPerInch / logicalDpi); }

    TwipScale(float perPixelX, float perPixelY) : perPixelX_(perPixelX), perPixelY_(perPixelY) {}

    float perPixelX() const { return perPixelX_; }
    float perPixelY() const { return perPixelY_; }

    // To the nearest pixel, an exact half going to the even neighbour.
    int toPixelsX(double twips) const { return nearestPixel(twips, perPixelX_); }
    int toPixelsY(double twips) const { return nearestPixel(twips, perPixelY_); }

    float fromPixelsX(int pixels) const { return static_cast<float>(pixels) * perPixelX_; }
    float fromPixelsY(int pixels) const { return static_cast<float>(pixels) * perPixelY_; }

private:
    static constexpr double kTwipsPerInch = 1440.0;

    // nearbyint rounds in the current rounding mode: to nearest, ties to even.
    static int nearestPixel(double twips, float perPixel) {
        return static_cast<int>(std::nearbyint(twips / static_cast<double>(perPixel)));
    }

    float perPixelX_;
    float perPixelY_;
};

}  // namespace volleon::design
