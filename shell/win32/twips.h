// Twips (1/1440 inch) and screen pixels on Windows. Twips per pixel follow
// the screen's logical DPI: 15 at 96 DPI, 10 at 144 DPI.
#pragma once

namespace volleon::win32 {

class Twips {
public:
    // Twips per pixel at a logical DPI.
    static float perPixelAt(int logicalDpi);
    // The screen's twips per pixel in x and in y, from its logical DPI.
    static Twips ofScreen();

    Twips(float perPixelX, float perPixelY) : perPixelX_(perPixelX), perPixelY_(perPixelY) {}

    float perPixelX() const { return perPixelX_; }
    float perPixelY() const { return perPixelY_; }

    // To the nearest pixel, an exact half going to the even neighbour.
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;

    float fromPixelsX(int pixels) const { return static_cast<float>(pixels) * perPixelX_; }
    float fromPixelsY(int pixels) const { return static_cast<float>(pixels) * perPixelY_; }

private:
    float perPixelX_;
    float perPixelY_;
};

// The primary screen's logical DPI in y, the one font sizes follow.
int logicalDpiY();

// The primary screen's size in twips: its pixels times twips per pixel.
float screenWidthTwips();
float screenHeightTwips();

}  // namespace volleon::win32
