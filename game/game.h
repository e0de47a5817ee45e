// The state of a match and the rules that move the ball and the bats, score
// points and start a match. Everything outside goes through Services.
#pragma once

#include <cstdint>

#include "services.h"

namespace volleon {

// Minus the absolute value: a positive speed is negated, others kept.
std::int16_t ToNegative(std::int16_t value);
// The absolute value: zero or a negative speed is negated, others kept.
std::int16_t ToPositive(std::int16_t value);

// Virtual-key codes the keyboard tick reads.
constexpr int kKeyA = 65;           // left bat up
constexpr int kKeyZ = 90;           // left bat down
constexpr int kKeyApostrophe = 222; // right bat up
constexpr int kKeySlash = 191;      // right bat down
constexpr int kKeyEscape = 27;      // ends the program

constexpr std::int16_t kServeSpeedX = 400;  // twips per ball tick
constexpr float kBatStep = 350.0f;          // twips per keyboard tick

class Game {
public:
    // Touches no service: the pieces come into being on the first match.
    explicit Game(Services& services);

    float ScoreLeft = 0.0f;
    float ScoreRight = 0.0f;
    std::int16_t SpeedX = 0;
    std::int16_t SpeedY = 0;
    KeyStateBuffer KeyState{};

    // Start button: rounds the ball, places the bats, zeroes the score,
    // reseeds, serves and enables both timers. Restarts a match in place.
    void cmdGo_Click();
    // Ball timer: one step of the ball, then the wall and bat tests.
    void timerBall_Timer();
    // Keyboard timer: snapshot, bat moves, and Escape ends the program.
    void timerKbrd_Timer();
    // Hidden test button: takes a keyboard snapshot and nothing else.
    void cmdKbrdTest_Click();

    // Adds to the scores and rewrites the score text, also for (0, 0).
    void AddScore(std::int16_t addLeft, std::int16_t addRight);

    // A uniform integer in low..high from exactly one random draw.
    // Throws std::overflow_error when the range or result leaves 16 bits.
    std::int16_t RandomInt(std::int16_t low, std::int16_t high);

private:
    void CheckCollisions();
    void MakeBallRound();
    void PlaceBats();
    void ServeBall();

    Services& services_;
};

}  // namespace volleon
