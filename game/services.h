// The services through which the rules reach the world: piece windows,
// the screen, the score label, the timers, the keyboard, the random
// generator and the end of the program. The desktop binds them to real
// windows; Playfield holds them in memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace volleon {

// The three piece windows: the ball and the two bats.
enum class Piece : std::uint8_t { Ball, LeftBat, RightBat };

// The two timers that drive a match once it has started.
enum class Timer : std::uint8_t { Ball, Keyboard };

// One byte per virtual-key code 0..255, plus one spare entry that is
// never written or read.
using KeyStateBuffer = std::array<std::uint8_t, 257>;

// Where a piece window first stands along one axis: centred on the screen,
// in twips.
inline float centredOnScreen(float screenExtent, float pieceExtent) {
    return static_cast<float>((static_cast<double>(screenExtent) - static_cast<double>(pieceExtent)) / 2.0);
}

class Services {
public:
    virtual ~Services() = default;

    // Geometry of a piece in twips: outer top-left corner on the screen and
    // outer size. A piece is created, hidden and centred, on its first use.
    virtual float left(Piece) = 0;
    virtual float top(Piece) = 0;
    virtual void setLeft(Piece, float) = 0;
    virtual void setTop(Piece, float) = 0;
    virtual float width(Piece) = 0;
    virtual float height(Piece) = 0;
    // Makes the piece visible; a visible piece stays where it is.
    virtual void show(Piece) = 0;

    // The screen, read afresh on every call.
    virtual float screenWidth() = 0;
    virtual float screenHeight() = 0;
    virtual float twipsPerPixelX() = 0;
    virtual float twipsPerPixelY() = 0;

    // Clips the ball window to the ellipse inscribed in the pixel rectangle
    // (0, 0)-(right, bottom), measured from the window's top-left corner.
    virtual void roundBall(std::int32_t right, std::int32_t bottom) = 0;

    // Replaces the text of the score label.
    virtual void setScoreText(const std::string&) = 0;

    // Starts the timer ticking at its designed interval (see timers.h).
    virtual void enableTimer(Timer) = 0;

    // Writes entries 0 to 255 of the buffer: bit 7 set while the key is
    // held, bit 0 its toggle state. Entry 256 is left alone.
    virtual void keyboardSnapshot(KeyStateBuffer&) = 0;

    // Reseeds the random sequence from the clock.
    virtual void seedRandom() = 0;
    // The next number of the random sequence: 0 <= r < 1.
    virtual float nextRandom() = 0;

    // Stops everything at once; no handler runs after it.
    virtual void endProgram() = 0;
};

}  // namespace volleon
