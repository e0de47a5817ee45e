#include "designs.h"

#include <array>

#include "game/piece_sizes.h"
#include "game/timers.h"

namespace volleon::design {

namespace {

// The look the main window's controls get where their design names no font.
constexpr FontDesign kFormDefaultFont{"MS Sans Serif", 8.0, 400, 0};
constexpr FontDesign kLinkFont{"MS Sans Serif", 8.25, 700, 0};
constexpr FontDesign kScoreFont{"Arial", 24.0, 700, 177};

// Form1's controls in the order of the design.
constexpr std::array kForm1Controls{
    ControlDesign{.name = name::timerBall,
                  .kind = ControlKind::Timer,
                  .intervalMs = kBallTimerIntervalMs},
    ControlDesign{.name = name::cmdGo,
                  .kind = ControlKind::PushButton,
                  .text = "Go",
                  .rect = {690, 750, 990, 375},
                  .tabIndex = 2},
    ControlDesign{.name = name::cmdKbrdTest,
                  .kind = ControlKind::PushButton,
                  .text = "cmdKbrdTest",
                  .rect = {1995, 1140, 1740, 390},
                  .visible = false,
                  .tabIndex = 1},
    ControlDesign{.name = name::timerKbrd,
                  .kind = ControlKind::Timer,
                  .intervalMs = kKeyboardTimerIntervalMs},
    ControlDesign{.name = name::lblURL,
                  .kind = ControlKind::Label,
                  .text = "Home Page",
                  .rect = {120, 1155, 2055, 225},
                  .backColour = kYellow,
                  .foreColour = kBlue,
                  .font = kLinkFont,
                  .alignment = TextAlignment::Centre,
                  .customCursor = true,
                  .tabIndex = 5},
    ControlDesign{.name = name::Label2,
                  .kind = ControlKind::Label,
                  .text = "['],[/]",
                  .rect = {1890, 765, 330, 195},
                  .autoSize = true,
                  .tabIndex = 4},
    ControlDesign{.name = name::Label1,
                  .kind = ControlKind::Label,
                  .text = "[A],[Z]",
                  .rect = {75, 765, 435, 195},
                  .autoSize = true,
                  .tabIndex = 3},
    ControlDesign{.name = name::lblScore,
                  .kind = ControlKind::Label,
                  .text = "0:0",
                  .rect = {90, 60, 2130, 555},
                  .font = kScoreFont,
                  .alignment = TextAlignment::Centre,
                  .tabIndex = 0},
};

constexpr std::array kFrmBallControls{
    ControlDesign{.name = name::shapeCircle,
                  .kind = ControlKind::CircleShape,
                  .rect = {300, 240, 450, 465},
                  .outlineWidthPixels = 5},
};

constexpr WindowDesign batDesign(std::string_view name) {
    return WindowDesign{.name = name,
                        .title = "",
                        .frame = Frame::ThinLine,
                        .buttons = {},
                        .clientWidth = kBatClientWidth,
                        .clientHeight = kBatClientHeight,
                        .backColour = kRed,
                        .taskbarButton = false,
                        .startPosition = StartPosition::CentreScreen};
}

}  // namespace

constinit const WindowDesign kForm1{
    .name = name::Form1,
    .title = "Volleon!",
    .frame = Frame::FixedSingleWithTitle,
    .buttons = {.windowMenu = true, .minimise = false, .maximise = false, .close = true},
    .clientWidth = 2295,
    .clientHeight = 1410,
    .font = kFormDefaultFont,
    .hasIcon = true,
    .taskbarButton = true,
    .startPosition = StartPosition::ScreenTopLeft,
    .controls = kForm1Controls,
};

constinit const WindowDesign kFrmBall{
    .name = name::frmBall,
    .title = "Ball",
    .frame = Frame::None,
    .clientWidth = kBallClientSize,
    .clientHeight = kBallClientSize,
    .backColour = kRed,
    .taskbarButton = false,
    .startPosition = StartPosition::CentreScreen,
    .controls = kFrmBallControls,
};

constinit const WindowDesign kFrmLeft = batDesign(name::frmLeft);
constinit const WindowDesign kFrmRight = batDesign(name::frmRight);

const WindowDesign& pieceDesign(Piece piece) {
    switch (piece) {
    case Piece::LeftBat: return kFrmLeft;
    case Piece::RightBat: return kFrmRight;
    case Piece::Ball: break;
    }
    return kFrmBall;
}

}  // namespace volleon::design
