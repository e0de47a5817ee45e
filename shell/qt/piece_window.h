// A piece of the game on the desktop: the ball or a bat. A frameless
// top-level window that the window manager neither places nor decorates and
// that never takes the focus.
#pragma once

#include <QWidget>

#include "shell/core/piece_window.h"
#include "shell/design/window_design.h"
#include "twips.h"

namespace volleon::qt {

class PieceWindow : public QWidget, public core::PieceWindow {
    Q_OBJECT

public:
    // Creates the window hidden, at its designed size.
    PieceWindow(const design::WindowDesign& design, const Twips& twips);
    ~PieceWindow() override;

    core::PixelPosition nativePosition() const override;
    core::PixelSize nativeSize() const override;
    void moveNative(core::PixelPosition position) override;
    bool isVisible() const override { return QWidget::isVisible(); }
    void showNative() override;
    void round(int right, int bottom) override;
    void closeNative() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const design::WindowDesign& design_;
    Twips twips_;
};

}  // namespace volleon::qt
