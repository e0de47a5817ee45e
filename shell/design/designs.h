// The four windows of the program.
#pragma once

#include "game/services.h"
#include "window_design.h"

namespace volleon::design {

// The names of the windows and controls, as the designs give them and the
// bindings look them up.
namespace name {
inline constexpr std::string_view Form1 = "Form1";
inline constexpr std::string_view frmBall = "frmBall";
inline constexpr std::string_view frmLeft = "frmLeft";
inline constexpr std::string_view frmRight = "frmRight";
inline constexpr std::string_view timerBall = "timerBall";
inline constexpr std::string_view timerKbrd = "timerKbrd";
inline constexpr std::string_view cmdGo = "cmdGo";
inline constexpr std::string_view cmdKbrdTest = "cmdKbrdTest";
inline constexpr std::string_view lblURL = "lblURL";
inline constexpr std::string_view lblScore = "lblScore";
inline constexpr std::string_view Label1 = "Label1";
inline constexpr std::string_view Label2 = "Label2";
inline constexpr std::string_view shapeCircle = "shapeCircle";
}  // namespace name

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
