#include "desktop_services.h"

#include "handler_guard.h"
#include "native_position.h"
#include "shell/design/designs.h"

namespace volleon::core {

namespace {

std::size_t index(Piece piece) { return static_cast<std::size_t>(piece); }

}  // namespace

DesktopServices::DesktopServices(Binding binding) : binding_(std::move(binding)) { random_.reseedFromClock(); }

DesktopServices::~DesktopServices() = default;

DesktopServices::Slot& DesktopServices::slot(Piece piece) {
    Slot& slot = pieces_[index(piece)];
    if (!slot.window) {
        const ScreenArea screen = primaryScreen();
        slot.window = binding_.createPieceWindow(design::pieceDesign(piece));
        slot.window->Form_Load(screen.twips);
        const PixelSize size = slot.window->nativeSize();
        slot.left = centredOnScreen(screen.widthTwips(), screen.twips.fromPixelsX(size.width));
        slot.top = centredOnScreen(screen.heightTwips(), screen.twips.fromPixelsY(size.height));
        slot.movePending = true;
        sendPendingMove(slot);
    }
    return slot;
}

PieceWindow& DesktopServices::pieceWindow(Piece piece) { return *slot(piece).window; }

PieceWindow* DesktopServices::existingPieceWindow(Piece piece) const { return pieces_[index(piece)].window.get(); }

void DesktopServices::closePieces() {
    for (Slot& slot : pieces_) {
        if (slot.window) {
            slot.window->closeNative();
        }
    }
}

void DesktopServices::end(int exitCode) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitCode_ = exitCode;
    binding_.closeProgram(exitCode);
}

void DesktopServices::destroyPieces() {
    for (Slot& slot : pieces_) {
        slot.window.reset();
    }
}

void DesktopServices::holdPieceMoves(bool hold) {
    movesHeld_ = hold;
    if (!hold) {
        for (Slot& slot : pieces_) {
            sendPendingMove(slot);
        }
    }
}

void DesktopServices::runHandler(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    holdPieceMoves(true);
    const bool finished = runGuarded(handler);
    holdPieceMoves(false);
    if (!finished) {
        end(1);
    }
}

void DesktopServices::moveToNearestPixel(Slot& slot) {
    slot.movePending = true;
    if (!movesHeld_) {
        sendPendingMove(slot);
    }
}

void DesktopServices::sendPendingMove(Slot& slot) {
    if (!slot.window || !slot.movePending) {
        return;
    }
    const ScreenArea screen = primaryScreen();
    slot.sent = PixelPosition{
        withinNativeRange(static_cast<long long>(screen.left) + screen.twips.toPixelsX(slot.left)),
        withinNativeRange(static_cast<long long>(screen.top) + screen.twips.toPixelsY(slot.top))};
    slot.movePending = false;
    slot.window->moveNative(slot.sent);
}

float DesktopServices::standing(const Slot& slot, bool horizontal) {
    const float set = horizontal ? slot.left : slot.top;
    if (slot.movePending) {
        return set;
    }
    const PixelPosition now = slot.window->nativePosition();
    if (now == slot.sent) {
        return set;
    }
    // Moved by someone else: the window system or the user.
    const ScreenArea screen = primaryScreen();
    return horizontal ? screen.twips.fromPixelsX(now.x - screen.left) : screen.twips.fromPixelsY(now.y - screen.top);
}

float DesktopServices::left(Piece p) { return standing(slot(p), true); }

float DesktopServices::top(Piece p) { return standing(slot(p), false); }

void DesktopServices::setLeft(Piece p, float twips) {
    Slot& s = slot(p);
    s.top = standing(s, false);
    s.left = twips;
    moveToNearestPixel(s);
}

void DesktopServices::setTop(Piece p, float twips) {
    Slot& s = slot(p);
    s.left = standing(s, true);
    s.top = twips;
    moveToNearestPixel(s);
}

float DesktopServices::width(Piece p) {
    return primaryScreen().twips.fromPixelsX(slot(p).window->nativeSize().width);
}

float DesktopServices::height(Piece p) {
    return primaryScreen().twips.fromPixelsY(slot(p).window->nativeSize().height);
}

void DesktopServices::show(Piece p) {
    Slot& s = slot(p);
    if (!s.window->isVisible()) {
        // A window appears where the rules last put it.
        sendPendingMove(s);
        s.window->showNative();
    }
}

float DesktopServices::screenWidth() { return primaryScreen().widthTwips(); }

float DesktopServices::screenHeight() { return primaryScreen().heightTwips(); }

float DesktopServices::twipsPerPixelX() { return primaryScreen().twips.perPixelX(); }

float DesktopServices::twipsPerPixelY() { return primaryScreen().twips.perPixelY(); }

void DesktopServices::roundBall(std::int32_t right, std::int32_t bottom) { pieceWindow(Piece::Ball).round(right, bottom); }

void DesktopServices::setScoreText(const std::string& text) { binding_.setScoreText(text); }

void DesktopServices::enableTimer(Timer timer) { binding_.enableTimer(timer); }

void DesktopServices::keyboardSnapshot(KeyStateBuffer& buffer) { binding_.keyboardSnapshot(buffer); }

void DesktopServices::endProgram() { end(0); }

void DesktopServices::seedRandom() { random_.reseedFromClock(); }

float DesktopServices::nextRandom() { return random_.next(); }

}  // namespace volleon::core
