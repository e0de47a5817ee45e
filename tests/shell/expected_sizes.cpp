#include "expected_sizes.h"

#include <QGuiApplication>
#include <QScreen>
#include <stdexcept>

namespace volleon::qt::testing {

namespace {

// Worked out by hand: twips / twips per pixel to the nearest pixel, an
// exact half going to the even neighbour (1005 / 10 = 100.5 -> 100).
const ExpectedSizes kAt96{96, 15.0f, {153, 94}, 67, {39, 102}, {46, 50, 66, 25}, {8, 77, 137, 15}};
const ExpectedSizes kAt144{144, 10.0f, {230, 141}, 100, {58, 152}, {69, 75, 99, 38}, {12, 116, 206, 22}};

}  // namespace

const ExpectedSizes& expectedSizes() {
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    if (dpi == 96.0) {
        return kAt96;
    }
    if (dpi == 144.0) {
        return kAt144;
    }
    throw std::runtime_error("the widget tests expect a screen of 96 or 144 DPI");
}

}  // namespace volleon::qt::testing
