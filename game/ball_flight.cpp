// One ball tick: the step, then the wall and bat tests in their fixed order.
#include "arithmetic.h"
#include "game.h"

namespace volleon {

using arithmetic::sum;
using arithmetic::toSingle;

namespace {

constexpr double kClearance = 1.0;  // twips between the ball and what it hit
constexpr std::int16_t kBatReturnSpeedY = 200;

double d(float value) { return static_cast<double>(value); }

}  // namespace

void Game::timerBall_Timer() {
    Services& s = services_;
    s.setLeft(Piece::Ball, sum(s.left(Piece::Ball), static_cast<float>(SpeedX)));
    s.setTop(Piece::Ball, sum(s.top(Piece::Ball), static_cast<float>(SpeedY)));
    CheckCollisions();
}

// Six tests, always all six and in this order; each reads the geometry
// afresh, so it sees what the tests before it corrected. A hit turns the
// speed first, then puts the ball one twip clear, then scores or draws a new
// vertical speed.
void Game::CheckCollisions() {
    Services& s = services_;
    constexpr Piece ball = Piece::Ball;

    // Top edge.
    if (s.top(ball) <= 0.0f) {
        SpeedY = ToPositive(SpeedY);
        s.setTop(ball, 1.0f);
    }

    // Bottom edge.
    if (sum(s.top(ball), s.height(ball)) >= s.screenHeight()) {
        SpeedY = ToNegative(SpeedY);
        s.setTop(ball, toSingle(d(s.screenHeight()) - kClearance - d(s.height(ball))));
    }

    // Left edge: a point for the right player.
    if (s.left(ball) <= 0.0f) {
        SpeedX = ToPositive(SpeedX);
        s.setLeft(ball, 1.0f);
        AddScore(0, 1);
    }

    // Right edge: a point for the left player.
    if (sum(s.left(ball), s.width(ball)) >= s.screenWidth()) {
        SpeedX = ToNegative(SpeedX);
        s.setLeft(ball, toSingle(d(s.screenWidth()) - kClearance - d(s.width(ball))));
        AddScore(1, 0);
    }

    // Right bat. Horizontally only its inner face bounds the zone; vertically
    // its top is inclusive and its bottom strict. All three conditions are
    // always evaluated.
    {
        constexpr Piece bat = Piece::RightBat;
        const bool pastFace = sum(s.left(ball), s.width(ball)) >= s.left(bat);
        const bool belowBatTop = sum(s.top(ball), s.height(ball)) >= s.top(bat);
        const bool aboveBatBottom = sum(s.top(bat), s.height(bat)) > s.top(ball);
        if (pastFace && belowBatTop && aboveBatBottom) {
            SpeedX = ToNegative(SpeedX);
            s.setLeft(ball, toSingle(d(s.left(bat)) - d(s.width(ball)) - kClearance));
            SpeedY = RandomInt(-kBatReturnSpeedY, kBatReturnSpeedY);
        }
    }

    // Left bat, the mirror image.
    {
        constexpr Piece bat = Piece::LeftBat;
        const bool pastFace = sum(s.left(bat), s.width(bat)) >= s.left(ball);
        const bool belowBatTop = sum(s.top(ball), s.height(ball)) >= s.top(bat);
        const bool aboveBatBottom = sum(s.top(bat), s.height(bat)) > s.top(ball);
        if (pastFace && belowBatTop && aboveBatBottom) {
            SpeedX = ToPositive(SpeedX);
            s.setLeft(ball, toSingle(d(s.left(bat)) + d(s.width(bat)) + kClearance));
            SpeedY = RandomInt(-kBatReturnSpeedY, kBatReturnSpeedY);
        }
    }
}

}  // namespace volleon
