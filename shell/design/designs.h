// The four windows of the program.
#pragma once

#include "game/services.h"
#include "window_design.h"

namespace volleon::design {

// The main window: score, start button, key hints and home-page link.
extern const WindowDesign kForm1;
// The ball: a red disc without frame.
extern const WindowDesign kFrmBall;
// The bats: red, with a one-pixel border line.
extern const WindowDesign kFrmLeft;
extern const WindowDesign kFrmRight;

// The design of a piece window.
const WindowDesign& pieceDesign(Piece piece);

// Hot spot of the link cursor over lblURL, in the cursor picture's pixels.
inline constexpr PixelPoint kLinkCursorHotSpot{2, 1};

}  // namespace volleon::design
