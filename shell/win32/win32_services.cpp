#include "win32_services.h"

#include "shell/design/designs.h"
#include "text.h"
#include "twips.h"

namespace volleon::win32 {

namespace {

std::size_t index(Piece piece) { return static_cast<std::size_t>(piece); }

}  // namespace

Win32Services::Win32Services(Bindings bindings) : bindings_(std::move(bindings)) {
    random_.reseedFromClock();
}

Win32Services::~Win32Services() = default;

PieceWindow& Win32Services::piece(Piece piece) {
    std::unique_ptr<PieceWindow>& window = pieces_[index(piece)];
    if (!window) {
        window = std::make_unique<PieceWindow>(design::pieceDesign(piece), bindings_.instance);
        window->centreOn(screenWidthTwips(), screenHeightTwips());
    }
    return *window;
}

PieceWindow* Win32Services::existingPiece(Piece piece) const { return pieces_[index(piece)].get(); }

void Win32Services::destroyPieces() {
    for (std::unique_ptr<PieceWindow>& window : pieces_) {
        window.reset();
    }
}

float Win32Services::left(Piece p) { return piece(p).left(); }

float Win32Services::top(Piece p) { return piece(p).top(); }

void Win32Services::setLeft(Piece p, float twips) { piece(p).setLeft(twips); }

void Win32Services::setTop(Piece p, float twips) { piece(p).setTop(twips); }

float Win32Services::width(Piece p) { return piece(p).outerWidth(); }

float Win32Services::height(Piece p) { return piece(p).outerHeight(); }

void Win32Services::show(Piece p) { piece(p).show(); }

float Win32Services::screenWidth() { return screenWidthTwips(); }

float Win32Services::screenHeight() { return screenHeightTwips(); }

float Win32Services::twipsPerPixelX() { return Twips::ofScreen().perPixelX(); }

float Win32Services::twipsPerPixelY() { return Twips::ofScreen().perPixelY(); }

void Win32Services::roundBall(std::int32_t right, std::int32_t bottom) { piece(Piece::Ball).round(right, bottom); }

void Win32Services::setScoreText(const std::string& text) {
    SetWindowTextW(bindings_.scoreLabel, widen(text).c_str());
}

void Win32Services::enableTimer(Timer timer) { bindings_.enableTimer(timer); }

void Win32Services::keyboardSnapshot(KeyStateBuffer& buffer) {
    // Entries 0 to 255: the state of the keys as this thread's input queue
    // has seen them.
    GetKeyboardState(buffer.data());
}

void Win32Services::seedRandom() { random_.reseedFromClock(); }

float Win32Services::nextRandom() { return random_.next(); }

void Win32Services::endProgram() { bindings_.endProgram(); }

}  // namespace volleon::win32
