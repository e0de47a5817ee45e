// Pixel sizes the designs must come out at on the test screen's DPI.
#pragma once

#include <QRect>
#include <QSize>

namespace volleon::qt::testing {

struct ExpectedSizes {
    double dpi;
    float twipsPerPixel;
    QSize form1Client;  // 2295 x 1410 twips
    int ball;           // 1005 twips across
    QSize bat;          // 555 x 1500 twips plus a one-pixel frame
    QRect cmdGo;        // 690, 750, 990, 375 twips
    QRect lblUrl;       // 120, 1155, 2055, 225 twips
};

// The sizes for the logical DPI of the primary screen.
const ExpectedSizes& expectedSizes();

}  // namespace volleon::qt::testing
