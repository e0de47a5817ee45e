#include "qt_services.h"

#include <QLabel>
#include <QRegion>
#include <QTimer>

#include "shell/design/designs.h"

namespace volleon::qt {

namespace {

std::size_t index(Piece piece) { return static_cast<std::size_t>(piece); }

}  // namespace

QtServices::QtServices(Bindings bindings) : bindings_(std::move(bindings)) {
    random_.reseedFromClock();
}

QtServices::~QtServices() = default;

PieceWindow& QtServices::piece(Piece piece) {
    std::unique_ptr<PieceWindow>& window = pieces_[index(piece)];
    if (!window) {
        window = std::make_unique<PieceWindow>(design::pieceDesign(piece), Twips::ofPrimaryScreen());
        window->centreOn(screenWidthTwips(), screenHeightTwips());
        window->holdMoves(movesHeld_);
    }
    return *window;
}

PieceWindow* QtServices::existingPiece(Piece piece) const { return pieces_[index(piece)].get(); }

void QtServices::holdPieceMoves(bool hold) {
    movesHeld_ = hold;
    for (const std::unique_ptr<PieceWindow>& window : pieces_) {
        if (window) {
            window->holdMoves(hold);
        }
    }
}

void QtServices::closePieces() {
    for (const std::unique_ptr<PieceWindow>& window : pieces_) {
        if (window) {
            window->close();
        }
    }
}

float QtServices::left(Piece p) { return piece(p).left(); }

float QtServices::top(Piece p) { return piece(p).top(); }

void QtServices::setLeft(Piece p, float twips) { piece(p).setLeft(twips); }

void QtServices::setTop(Piece p, float twips) { piece(p).setTop(twips); }

float QtServices::width(Piece p) { return piece(p).outerWidth(); }

float QtServices::height(Piece p) { return piece(p).outerHeight(); }

void QtServices::show(Piece p) {
    PieceWindow& window = piece(p);
    if (!window.isVisible()) {
        // A window appears where the rules last put it.
        window.holdMoves(false);
        window.show();
        window.holdMoves(movesHeld_);
    }
}

float QtServices::screenWidth() { return screenWidthTwips(); }

float QtServices::screenHeight() { return screenHeightTwips(); }

float QtServices::twipsPerPixelX() { return Twips::ofPrimaryScreen().perPixelX(); }

float QtServices::twipsPerPixelY() { return Twips::ofPrimaryScreen().perPixelY(); }

void QtServices::roundBall(std::int32_t right, std::int32_t bottom) {
    piece(Piece::Ball).setMask(QRegion(0, 0, right, bottom, QRegion::Ellipse));
}

void QtServices::setScoreText(const std::string& text) {
    bindings_.scoreLabel.setText(QString::fromStdString(text));
}

void QtServices::enableTimer(Timer timer) {
    // Enabling a running timer leaves its countdown alone.
    QTimer& qtimer = timer == Timer::Ball ? bindings_.ballTimer : bindings_.keyboardTimer;
    if (!qtimer.isActive()) {
        qtimer.start();
    }
}

void QtServices::keyboardSnapshot(KeyStateBuffer& buffer) { bindings_.keys.snapshot(buffer); }

void QtServices::seedRandom() { random_.reseedFromClock(); }

float QtServices::nextRandom() { return random_.next(); }

void QtServices::endProgram() { bindings_.endProgram(); }

}  // namespace volleon::qt
