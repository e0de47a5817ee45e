// The rules' services as every desktop binding provides them: the piece
// windows (created on first use, centred, shown once, kept at their exact
// twips while they stand at the nearest pixel), the primary screen, the
// random source. A binding adds its native windows and screen, the score
// label, the timers, the keyboard and the end of the program.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "game/random_source.h"
#include "game/services.h"
#include "piece_window.h"
#include "screen_area.h"
#include "shell/design/window_design.h"

namespace volleon::core {

class DesktopServices : public Services {
public:
    ~DesktopServices() override;

    // The piece's window, creating it (hidden, centred) on first use.
    PieceWindow& pieceWindow(Piece piece);
    // The piece's window if it exists yet, else nullptr.
    PieceWindow* existingPieceWindow(Piece piece) const;
    // Hides and closes every piece window that exists.
    void closePieces();
    // Destroys every piece window that exists.
    void destroyPieces();
    // While held, the native piece windows stay where they are and each
    // takes its last position when released. One handler of the program
    // moves a piece several times (a step, then bounces); holding the moves
    // for the length of the handler sends the window system one move
    // instead of several, with the same result: nothing is drawn in the
    // middle of a handler.
    void holdPieceMoves(bool hold);
    // Runs one event handler of the program with the piece moves held for
    // its length, unless the program has ended. False when an error escaped
    // it; the error is then written to standard error as one line.
    bool runHandler(const std::function<void()>& handler);

    // The program's end as its main window records it: once, with the exit
    // status. recordEnd is false when the program had ended already.
    bool hasEnded() const { return ended_; }
    int exitCode() const { return exitCode_; }
    bool recordEnd(int exitCode);

    float left(Piece) final;
    float top(Piece) final;
    void setLeft(Piece, float) final;
    void setTop(Piece, float) final;
    float width(Piece) final;
    float height(Piece) final;
    void show(Piece) final;
    float screenWidth() final;
    float screenHeight() final;
    float twipsPerPixelX() final;
    float twipsPerPixelY() final;
    void roundBall(std::int32_t right, std::int32_t bottom) final;
    void seedRandom() final;
    float nextRandom() final;

    // The primary screen as the binding reads it now.
    virtual ScreenArea primaryScreen() const = 0;

protected:
    DesktopServices();

    // A new hidden window of that design, at its designed size.
    virtual std::unique_ptr<PieceWindow> createPieceWindow(const design::WindowDesign& design) = 0;

private:
    struct Slot {
        std::unique_ptr<PieceWindow> window;
        // Outer top-left corner in twips from the primary screen's corner,
        // as last set.
        float left = 0.0f;
        float top = 0.0f;
        // The native position last sent, and whether a newer one waits.
        PixelPosition sent;
        bool movePending = false;
    };

    Slot& slot(Piece piece);
    void moveToNearestPixel(Slot& slot);
    void sendPendingMove(Slot& slot);
    // Where the window stands in twips, along one axis: the position last
    // set as long as the window still stands where it was sent; otherwise
    // where it stands now.
    float standing(const Slot& slot, bool horizontal);

    std::array<Slot, 3> pieces_;
    RandomSource random_;
    bool movesHeld_ = false;
    bool ended_ = false;
    int exitCode_ = 0;
};

}  // namespace volleon::core
