// A piece of the game on the desktop, the ball or a bat, as the shared
// services see it: what each binding's native window does, in pixels, and
// the one thing every piece window holds itself, its circle shape.
#pragma once

#include <optional>

#include "screen_area.h"
#include "shell/design/twip_scale.h"
#include "shell/design/window_design.h"

namespace volleon::core {

struct PixelSize {
    int width = 0;
    int height = 0;
};

class PieceWindow {
public:
    virtual ~PieceWindow() = default;

    // Outer top-left corner on the desktop and outer size, in pixels.
    virtual PixelPosition nativePosition() const = 0;
    virtual PixelSize nativeSize() const = 0;
    virtual void moveNative(PixelPosition position) = 0;

    virtual bool isVisible() const = 0;
    // Shows the window without activating it.
    virtual void showNative() = 0;
    // Clips the window to the ellipse inscribed in the pixel rectangle
    // (0, 0)-(right, bottom).
    virtual void round(int right, int bottom) = 0;
    // Hides and closes the window; nothing draws it any more.
    virtual void closeNative() = 0;

    // The circle shape of the window, if its design has one.
    const std::optional<design::ShapeGeometry>& shape() const { return shape_; }
    int shapeOutlinePixels() const { return shapeOutlinePixels_; }

    // The ball window's load handler: fits the circle to the window, at 0, 0
    // with the window's Width and Height.
    void Form_Load(const design::TwipScale& twips);

protected:
    // The shape, if any, stands where its design puts it until Form_Load.
    explicit PieceWindow(const design::WindowDesign& design);

private:
    std::optional<design::ShapeGeometry> shape_;
    int shapeOutlinePixels_ = 0;
};

}  // namespace volleon::core
