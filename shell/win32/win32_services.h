// The rules' services bound to the Windows desktop: piece windows, the
// screen, the ball's elliptic window region, the score label, the two
// timers, the keyboard state of the program's own input queue and the end
// of the program.
#pragma once

#include <windows.h>

#include <functional>

#include "piece_window.h"
#include "shell/core/desktop_services.h"

namespace volleon::win32 {

class Win32Services final : public core::DesktopServices {
public:
    struct Bindings {
        HINSTANCE instance;
        HWND scoreLabel;
        std::function<void(Timer)> enableTimer;
        std::function<void()> endProgram;
    };

    explicit Win32Services(Bindings bindings);
    ~Win32Services() override;

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

}  // namespace volleon::win32
