#include "piece_window.h"

namespace volleon::core {

PieceWindow::PieceWindow(const design::WindowDesign& design) {
    for (const design::ControlDesign& control : design.controls) {
        if (control.kind == design::ControlKind::CircleShape) {
            shape_ = design::designedShape(control);
            shapeOutlinePixels_ = control.outlineWidthPixels;
        }
    }
}

void PieceWindow::Form_Load(const design::TwipScale& twips) {
    if (shape_) {
        const PixelSize size = nativeSize();
        *shape_ = design::ShapeGeometry{0.0f, 0.0f, twips.fromPixelsX(size.width), twips.fromPixelsY(size.height)};
    }
}

}  // namespace volleon::core
