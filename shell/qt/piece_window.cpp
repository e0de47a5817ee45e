#include "piece_window.h"

#include <QPainter>

#include "compositor.h"
#include "design_widgets.h"
#include "game/services.h"
#include "x11_piece_window.h"

namespace volleon::qt {

namespace {

constexpr Qt::WindowFlags kPieceFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                                        Qt::X11BypassWindowManagerHint;

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Width of the line drawn around a window with a thin-line frame.
int framePixels(design::Frame frame) { return frame == design::Frame::ThinLine ? 1 : 0; }

}  // namespace

PieceWindow::PieceWindow(const design::WindowDesign& design, const Twips& twips)
    : QWidget(nullptr, kPieceFlags), design_(design), twips_(twips) {
    const QString name = toQString(design.name);
    setObjectName(name);
    setWindowRole(name);
    setWindowTitle(toQString(design.title));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    const int frame = framePixels(design.frame);
    setFixedSize(twips_.toPixelsX(design.clientWidth) + 2 * frame, twips_.toPixelsY(design.clientHeight) + 2 * frame);
    for (const design::ControlDesign& control : design.controls) {
        if (control.kind == design::ControlKind::CircleShape) {
            shape_ = design::designedShape(control);
            shapeOutlinePixels_ = control.outlineWidthPixels;
        }
    }
    if (shape_) {
        seeThroughOutsideMaskUnderCompositor(*this);
    }
    // The native window exists from the start, hidden, so that the load
    // handler and every later move act on it.
    create();
    adjustX11PieceWindow(*this, design.title.empty());
    Form_Load();
}

PieceWindow::~PieceWindow() { forgetX11PieceWindow(*this); }

void PieceWindow::setLeft(float twips) {
    left_ = twips;
    moveToNearestPixel();
}

void PieceWindow::setTop(float twips) {
    top_ = twips;
    moveToNearestPixel();
}

float PieceWindow::outerWidth() const { return twips_.fromPixelsX(width()); }

float PieceWindow::outerHeight() const { return twips_.fromPixelsY(height()); }

void PieceWindow::centreOn(float screenWidth, float screenHeight) {
    left_ = centredOnScreen(screenWidth, outerWidth());
    top_ = centredOnScreen(screenHeight, outerHeight());
    moveToNearestPixel();
}

void PieceWindow::Form_Load() {
    if (shape_) {
        *shape_ = ShapeGeometry{0.0f, 0.0f, outerWidth(), outerHeight()};
    }
}

void PieceWindow::holdMoves(bool hold) {
    movesHeld_ = hold;
    if (!hold && movePending_) {
        moveToNearestPixel();
    }
}

void PieceWindow::moveToNearestPixel() {
    if (movesHeld_) {
        movePending_ = true;
        return;
    }
    movePending_ = false;
    move(twips_.toPixelsX(left_), twips_.toPixelsY(top_));
}

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
    if (shape_ && shapeOutlinePixels_ > 0) {
        // The outline lies inside the shape's box. Drawn as a ring of two
        // pixel ellipses, the same kind the window mask is made of, so that
        // the ring's outer edge meets a mask fitted to the same box exactly.
        const QRect box(twips_.toPixelsX(shape_->left), twips_.toPixelsY(shape_->top),
                        twips_.toPixelsX(shape_->width), twips_.toPixelsY(shape_->height));
        const int inset = shapeOutlinePixels_;
        const QRegion ring = QRegion(box, QRegion::Ellipse) -
                             QRegion(box.adjusted(inset, inset, -inset, -inset), QRegion::Ellipse);
        painter.setClipRegion(ring);
        painter.fillRect(box, Qt::black);
    }
}

}  // namespace volleon::qt
