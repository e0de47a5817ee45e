// The rules' services as every desktop binding provides them: the piece
// windows (created on first use, centred, shown once, kept at their exact
// twips while they stand at the nearest pixel), the primary screen, the
// random source, the guard around every handler and the end of the program.
// A binding gives the few operations that are its own (Binding below).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "game/random_source.h"
#include "game/services.h"
#include "piece_window.h"
#include "screen_area.h"
#include "shell/design/window_design.h"

namespace volleon::core {

// What a desktop binding does its own way.
struct Binding {
    // The primary screen as the window system reports it now.
    std::function<ScreenArea()> primaryScreen;
    // A new hidden window of that design, at its designed size.
    std::function<std::unique_ptr<PieceWindow>(const design::WindowDesign&)> createPieceWindow;
    std::function<void(const std::string&)> setScoreText;
    // Starts the timer unless it runs already.
    std::function<void(Timer)> enableTimer;
    std::function<void(KeyStateBuffer&)> keyboardSnapshot;
    // Stops the timers, closes the windows and ends the event loop with the
    // exit status; called once.
    std::function<void(int exitCode)> closeProgram;
};

class DesktopServices : public Services {
public:
    explicit DesktopServices(Binding binding);
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
    // its length, unless the program has ended. An error escaping it is
    // written to standard error as one line and ends the program with
    // status 1.
    void runHandler(const std::function<void()>& handler);
    // Ends the program once, with that exit status; later calls do nothing.
    void end(int exitCode);
    bool hasEnded() const { return ended_; }
    int exitCode() const { return exitCode_; }

    // The primary screen as the binding reads it now.
    ScreenArea primaryScreen() const { return binding_.primaryScreen(); }

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
    void setScoreText(const std::string& text) final;
    void enableTimer(Timer timer) final;
    void keyboardSnapshot(KeyStateBuffer& buffer) final;
    void seedRandom() final;
    float nextRandom() final;
    // The rules' end of the program: status 0.
    void endProgram() final;

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

    Binding binding_;
    std::array<Slot, 3> pieces_;
    RandomSource random_;
    bool movesHeld_ = false;
    bool ended_ = false;
    int exitCode_ = 0;
};

// The shared services with the piece windows of one binding's own type.
template <typename Window>
class DesktopServicesOf : public DesktopServices {
public:
    using DesktopServices::DesktopServices;

    Window& piece(Piece p) { return static_cast<Window&>(pieceWindow(p)); }
    Window* existingPiece(Piece p) const { return static_cast<Window*>(existingPieceWindow(p)); }
};

}  // namespace volleon::core
