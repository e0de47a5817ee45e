// Twips and pixels of the screens that Qt reports.
#pragma once

#include <QRect>

#include "shell/core/screen_area.h"
#include "shell/design/twip_scale.h"
#include "shell/design/window_design.h"

class QScreen;

namespace volleon::qt {

// Twips on the Qt screens.
class Twips : public design::TwipScale {
public:
    using TwipScale::TwipScale;

    // The primary screen's twips per pixel in x and in y.
    static Twips ofPrimaryScreen();

    QRect toPixels(const design::TwipRect& rect) const;
};

// The primary screen: where it lies on the desktop, its size and its twips.
core::ScreenArea primaryScreenArea();

// The primary screen's size in twips: its pixels times twips per pixel.
float screenWidthTwips();
float screenHeightTwips();

}  // namespace volleon::qt
