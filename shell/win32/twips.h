// Twips and pixels of the Windows screen.
#pragma once

#include "shell/design/twip_scale.h"

namespace volleon::win32 {

// Twips on the Windows screen.
class Twips : public design::TwipScale {
public:
    using TwipScale::TwipScale;

    // The screen's twips per pixel in x and in y, from its logical DPI.
    static Twips ofScreen();
};

// The primary screen's logical DPI in y, the one font sizes follow.
int logicalDpiY();

// The primary screen's size in twips: its pixels times twips per pixel.
float screenWidthTwips();
float screenHeightTwips();

}  // namespace volleon::win32
