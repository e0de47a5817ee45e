#include "piece_window.h"

#include <QPainter>
#include <QRegion>

#include "x11/compositor.h"
#include "design_widgets.h"
#include "qt_text.h"
#include "x11/x11_piece_window.h"

namespace volleon::qt {

namespace {

constexpr Qt::WindowFlags kPieceFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                                        Qt::X11BypassWindowManagerHint;

// Width of the line drawn around a window with a thin-line frame.
int framePixels(design::Frame frame) { return frame == design::Frame::ThinLine ? 1 : 0; }

}  // namespace

PieceWindow::PieceWindow(const design::WindowDesign& design, const Twips& twips)
    : QWidget(nullptr, kPieceFlags), core::PieceWindow(design), design_(design), twips_(twips) {
    const QString name = toQString(design.name);
    setObjectName(name);
    setWindowRole(name);
    setWindowTitle(toQString(design.title));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    const int frame = framePixels(design.frame);
    setFixedSize(twips_.toPixelsX(design.clientWidth) + 2 * frame, twips_.toPixelsY(design.clientHeight) + 2 * frame);
    if (shape()) {
        seeThroughOutsideMaskUnderCompositor(*this);
    }
    // The native window exists from the start, hidden, so that the load
    // handler and every later move act on it.
    create();
    adjustX11PieceWindow(*this, design.title.empty());
}

PieceWindow::~PieceWindow() { forgetX11PieceWindow(*this); }

core::PixelPosition PieceWindow::nativePosition() const { return {x(), y()}; }

core::PixelSize PieceWindow::nativeSize() const { return {width(), height()}; }

void PieceWindow::moveNative(core::PixelPosition position) { move(position.x, position.y); }

void PieceWindow::showNative() { show(); }

void PieceWindow::round(int right, int bottom) { setMask(QRegion(0, 0, right, bottom, QRegion::Ellipse)); }

void PieceWindow::closeNative() { close(); }

void PieceWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (paintsOnlyInsideMask(*this)) {
        painter.setClipRegion(mask());
    }
    painter.fillRect(rect(), design_.backColour ? toColour(*design_.backColour) : palette().color(QPalette::Window));
    if (const int frame = framePixels(design_.frame); frame > 0) {
        painter.setPen(QPen(Qt::black, frame));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(0.5 * frame, 0.5 * frame, -0.5 * frame, -0.5 * frame));
    }
    if (const auto& outlined = shape(); outlined && shapeOutlinePixels() > 0) {
        // The outline lies inside the shape's box. Drawn as a ring of two
        // pixel ellipses, the same kind the window mask is made of, so that
        // the ring's outer edge meets a mask fitted to the same box exactly.
        const QRect box(twips_.toPixelsX(outlined->left), twips_.toPixelsY(outlined->top),
                        twips_.toPixelsX(outlined->width), twips_.toPixelsY(outlined->height));
        const int inset = shapeOutlinePixels();
        const QRegion ring = QRegion(box, QRegion::Ellipse) -
                             QRegion(box.adjusted(inset, inset, -inset, -inset), QRegion::Ellipse);
        painter.setClipRegion(ring);
        painter.fillRect(box, Qt::black);
    }
}

}  // namespace volleon::qt
