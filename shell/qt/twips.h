// Twips (1/1440 inch) and screen pixels. The number of twips per pixel
// follows the screen's logical DPI: 15 at 96 DPI, 10 at 144 DPI.
#pragma once

#include <QRect>

#include "shell/design/window_design.h"

class QScreen;

namespace volleon::shell {

class Twips {
public:
    // Twips per pixel of a screen of that logical DPI.
    static float perPixelAt(double logicalDpi);
    // The primary screen's twips per pixel in x and in y.
    static Twips ofPrimaryScreen();

    Twips(float perPixelX, float perPixelY) : perPixelX_(perPixelX), perPixelY_(perPixelY) {}

    float perPixelX() const { return perPixelX_; }
    float perPixelY() const { return perPixelY_; }

    // To the nearest pixel, an exact half going to the even neighbour.
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    QRect toPixels(const design::TwipRect& rect) const;

    float fromPixelsX(int pixels) const { return static_cast<float>(pixels) * perPixelX_; }
    float fromPixelsY(int pixels) const { return static_cast<float>(pixels) * perPixelY_; }

private:
    float perPixelX_;
    float perPixelY_;
};

// The primary screen's size in twips: its pixels times twips per pixel.
float screenWidthTwips();
float screenHeightTwips();

}  // namespace volleon::shell
