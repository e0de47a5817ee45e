// The rules' services bound to the Windows desktop: piece windows created
// on first use, screen metrics in twips, the ball's elliptic window region,
// the score label, the two timers, the keyboard state of the program's own
// input queue, a random generator reseeded from the clock, and the end of the
// program.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "game/random_source.h"
#include "game/services.h"
#include "piece_window.h"

namespace volleon::win32 {

class Win32Services final : public Services {
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
    PieceWindow& piece(Piece piece);
    // The piece's window if it exists yet, else nullptr.
    PieceWindow* existingPiece(Piece piece) const;
    // Destroys every piece window that exists.
    void destroyPieces();

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
};

}  // namespace volleon::win32
