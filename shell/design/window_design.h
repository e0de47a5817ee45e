// The designs of the program's windows as plain data: captions, geometry in
// twips, colours, fonts, flags, tab order and timer intervals. Nothing here
// depends on a windowing toolkit, so every native binding builds its windows
// from the same tables.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace volleon::design {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};

struct FontDesign {
    std::string_view family;
    double points = 0.0;
    int weight = 400;      // 400 regular, 700 bold
    int characterSet = 0;  // the character set the design asks for
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// A rectangle in twips: left, top, width, height.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Point in pixels of a picture, e.g. a cursor's hot spot.
struct PixelPoint {
    int x = 0;
    int y = 0;
};

enum class ControlKind : std::uint8_t { Timer, PushButton, Label, CircleShape };

enum class TextAlignment : std::uint8_t { Left, Centre };

struct ControlDesign {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view text;
    TwipRect rect;  // in the client area of the window; unused for timers
    std::optional<Rgb> backColour;
    std::optional<Rgb> foreColour;
    std::optional<FontDesign> font;
    bool visible = true;
    bool autoSize = false;  // a label that sizes itself to its text
    TextAlignment alignment = TextAlignment::Left;
    bool customCursor = false;  // the pointer over it shows the link cursor
    std::optional<int> tabIndex;
    int intervalMs = 0;          // timers only
    int outlineWidthPixels = 0;  // shapes only
};

enum class Frame : std::uint8_t {
    FixedSingleWithTitle,  // fixed border and a title bar; not resizable
    ThinLine,              // a one-pixel line, no title bar
    None,
};

struct TitleBarButtons {
    bool windowMenu = false;
    bool minimise = false;
    bool maximise = false;
    bool close = false;
};

enum class StartPosition : std::uint8_t {
    ScreenTopLeft,  // outer corner at the screen's top-left corner
    CentreScreen,
};

struct WindowDesign {
    std::string_view name;
    std::string_view title;
    Frame frame = Frame::None;
    TitleBarButtons buttons;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    std::optional<Rgb> backColour;
    std::optional<FontDesign> font;  // the default font of its controls
    bool hasIcon = false;
    bool taskbarButton = false;
    StartPosition startPosition = StartPosition::ScreenTopLeft;
    std::span<const ControlDesign> controls;
};

// Geometry of a shape at run time, in its window's twips.
struct ShapeGeometry {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// Where a shape control stands as designed.
constexpr ShapeGeometry designedShape(const ControlDesign& control) {
    return {static_cast<float>(control.rect.left), static_cast<float>(control.rect.top),
            static_cast<float>(control.rect.width), static_cast<float>(control.rect.height)};
}

// The control of that name, or nullptr.
constexpr const ControlDesign* findControl(const WindowDesign& window, std::string_view name) {
    for (const ControlDesign& control : window.controls) {
        if (control.name == name) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace volleon::design
