// The rules' services bound to the desktop through Qt: piece windows, the
// primary screen, the ball's window mask, the score label, the two timers,
// the program's own keyboard state and the end of the program.
#pragma once

#include <functional>

#include "key_state_tracker.h"
#include "piece_window.h"
#include "shell/core/desktop_services.h"

class QLabel;
class QTimer;

namespace volleon::qt {

class QtServices final : public core::DesktopServices {
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
    PieceWindow& piece(Piece piece) { return static_cast<PieceWindow&>(pieceWindow(piece)); }
    // The piece's window if it exists yet, else nullptr.
    PieceWindow* existingPiece(Piece piece) const { return static_cast<PieceWindow*>(existingPieceWindow(piece)); }

    core::ScreenArea primaryScreen() const override;
    void setScoreText(const std::string& text) override;
    void enableTimer(Timer) override;
    void keyboardSnapshot(KeyStateBuffer& buffer) override;
    void endProgram() override;

private:
    std::unique_ptr<core::PieceWindow> createPieceWindow(const design::WindowDesign& design) override;

    Bindings bindings_;
};

}  // namespace volleon::qt
