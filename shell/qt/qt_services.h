// The rules' services bound to the desktop through Qt: piece windows created
// on first use, screen metrics in twips, the ball's window mask, the score
// label, the two timers, the program's own keyboard state, a random
// generator reseeded from the clock, and the end of the program.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "game/random_source.h"
#include "game/services.h"
#include "key_state_tracker.h"
#include "piece_window.h"

class QLabel;
class QTimer;

namespace volleon::qt {

class QtServices final : public Services {
public:
    struct Bindings {
        QLabel& scoreLabel;
        QTimer& ballTimer;
        QTimer& keyboardTimer;
        KeyStateTracker& keys;
        std::function<void()> endProgram;
    };

    explicit QtServices(Bindings bindings);
    ~QtServices() override;

    // The piece's window, creating it (hidden, centred) on first use.
    PieceWindow& piece(Piece piece);
    // The piece's window if it exists yet, else nullptr.
    PieceWindow* existingPiece(Piece piece) const;
    // Hides and closes every piece window that exists.
    void closePieces();
    // Holds the native moves of the piece windows, or releases them: see
    // PieceWindow::holdMoves. The main window holds them during a handler.
    void holdPieceMoves(bool hold);

    float left(Piece) override;
    float top(Piece) override;
    void setLeft(Piece, float) override;
    void setTop(Piece, float) override;
    float width(Piece) override;
    float height(Piece) override;
    void show(Piece) override;
    float screenWidth() override;
    float screenHeight() override;
    float twipsPerPixelX() override;
    float twipsPerPixelY() override;
    void roundBall(std::int32_t right, std::int32_t bottom) override;
    void setScoreText(const std::string& text) override;
    void enableTimer(Timer) override;
    void keyboardSnapshot(KeyStateBuffer& buffer) override;
    void seedRandom() override;
    float nextRandom() override;
    void endProgram() override;

private:
    Bindings bindings_;
    std::array<std::unique_ptr<PieceWindow>, 3> pieces_;
    RandomSource random_;
    bool movesHeld_ = false;
};

}  // namespace volleon::qt
