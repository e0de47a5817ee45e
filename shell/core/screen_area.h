// The part of the desktop the game is played on: the primary screen, where
// it lies on the desktop in pixels and how many twips make one of its pixels.
#pragma once

#include <algorithm>

#include "shell/design/twip_scale.h"

namespace volleon::core {

struct ScreenArea {
    design::TwipScale twips{15.0f, 15.0f};
    // Top-left corner on the desktop and size, in pixels.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    float widthTwips() const { return twips.fromPixelsX(width); }
    float heightTwips() const { return twips.fromPixelsY(height); }
};

// A point on the desktop, in pixels.
struct PixelPosition {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const PixelPosition&, const PixelPosition&) = default;
};

// The top-left corner, in desktop pixels, that puts a window of that outer
// size and position onto the screen: where it is if it lies wholly on the
// screen; otherwise the nearest place that does (the top-left part first
// where the window is larger than the screen).
inline PixelPosition placeOnScreen(const ScreenArea& screen, int left, int top, int width, int height) {
    const auto onto = [](int position, int size, int screenStart, int screenSize) {
        return std::max(screenStart, std::min(position, screenStart + screenSize - size));
    };
    return {onto(left, width, screen.left, screen.width), onto(top, height, screen.top, screen.height)};
}

}  // namespace volleon::core
