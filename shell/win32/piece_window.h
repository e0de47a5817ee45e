// A piece of the game on the desktop: the ball or a bat. A popup tool window
// (no title bar, no taskbar button) that is never activated, so the main
// window keeps the keyboard. It keeps the exact twip position it was given
// and stands at the nearest pixel to it.
#pragma once

#include <windows.h>

#include <optional>

#include "shell/design/window_design.h"
#include "window_styles.h"

namespace volleon::win32 {

using design::ShapeGeometry;

class PieceWindow {
public:
    // Creates the window hidden, at its designed size, and runs its load
    // handler.
    PieceWindow(const design::WindowDesign& design, HINSTANCE instance);
    ~PieceWindow();
    PieceWindow(const PieceWindow&) = delete;
    PieceWindow& operator=(const PieceWindow&) = delete;

    HWND handle() const { return hwnd_; }
    const design::WindowDesign& design() const { return design_; }

    // Outer top-left corner on the screen in twips: the position last set,
    // as long as the window still stands at its pixel; otherwise the pixel
    // position the window has now.
    float left() const;
    float top() const;
    void setLeft(float twips);
    void setTop(float twips);
    // Outer size in twips: the window's pixels times twips per pixel.
    float outerWidth() const;
    float outerHeight() const;

    // Puts the window at the centre of a screen of that size in twips.
    void centreOn(float screenWidth, float screenHeight);

    bool isVisible() const;
    // Shows the window without activating it; a visible window stays as it is.
    void show();

    // Clips the window to the ellipse inscribed in the pixel rectangle
    // (0, 0)-(right, bottom). The window owns the region from then on.
    void round(int right, int bottom);

    // The circle shape of the window, if its design has one.
    const std::optional<ShapeGeometry>& shape() const { return shape_; }

    // The ball window's load handler: fits the circle to the window, at 0, 0
    // with the window's Width and Height.
    void Form_Load();

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    RECT windowRect() const;
    void moveToNearestPixel();
    void paint();

    const design::WindowDesign& design_;
    WindowStyle style_;
    HWND hwnd_ = nullptr;
    float left_ = 0.0f;
    float top_ = 0.0f;
    std::optional<ShapeGeometry> shape_;
    int shapeOutlinePixels_ = 0;
};

}  // namespace volleon::win32
