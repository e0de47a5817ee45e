// A piece of the game on the desktop: the ball or a bat. A frameless
// top-level window that the window manager neither places nor decorates and
// that never takes the focus. It keeps the exact twip position it was given
// and stands at the nearest pixel to it.
#pragma once

#include <QWidget>
#include <optional>

#include "shell/design/window_design.h"
#include "twips.h"

namespace volleon::qt {

using design::ShapeGeometry;

class PieceWindow : public QWidget {
    Q_OBJECT

public:
    // Creates the window hidden, at its designed size, and runs its load
    // handler.
    PieceWindow(const design::WindowDesign& design, const Twips& twips);
    ~PieceWindow() override;

    const design::WindowDesign& design() const { return design_; }

    // Outer top-left corner on the screen, in twips, as last set.
    float left() const { return left_; }
    float top() const { return top_; }
    void setLeft(float twips);
    void setTop(float twips);
    // While held, the native window stays where it is and takes its last
    // position when released. One handler of the program moves a piece
    // several times (a step, then bounces); holding its moves for the length
    // of the handler sends the window system one move instead of several,
    // with the same result: nothing is drawn in the middle of a handler.
    void holdMoves(bool hold);
    // Outer size in twips: the window's pixels times twips per pixel.
    float outerWidth() const;
    float outerHeight() const;

    // Puts the window at the centre of a screen of that size in twips.
    void centreOn(float screenWidth, float screenHeight);

    // The circle shape of the window, if its design has one.
    const std::optional<ShapeGeometry>& shape() const { return shape_; }

    // The ball window's load handler: fits the circle to the window, at 0, 0
    // with the window's Width and Height.
    void Form_Load();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void moveToNearestPixel();

    const design::WindowDesign& design_;
    Twips twips_;
    float left_ = 0.0f;
    float top_ = 0.0f;
    bool movesHeld_ = false;
    bool movePending_ = false;
    std::optional<ShapeGeometry> shape_;
    int shapeOutlinePixels_ = 0;
};

}  // namespace volleon::qt
