// The start button: a new match, also in the middle of one.
#include "arithmetic.h"
#include "game.h"
#include "timers.h"

namespace volleon {

namespace {

constexpr std::int16_t kServeSpeedYLimit = 300;

}  // namespace

void Game::cmdGo_Click() {
    MakeBallRound();
    PlaceBats();
    ScoreLeft = 0.0f;
    ScoreRight = 0.0f;
    AddScore(0, 0);
    services_.seedRandom();
    ServeBall();
    services_.enableTimer(Timer::Ball);
    services_.enableTimer(Timer::Keyboard);
}

// Clips the ball window to the ellipse inscribed in its outer rectangle. The
// first read of the ball's size is what creates the ball window.
void Game::MakeBallRound() {
    const float width = services_.width(Piece::Ball);
    const float twipsPerPixelX = services_.twipsPerPixelX();
    const float twipsPerPixelY = services_.twipsPerPixelY();
    const float height = services_.height(Piece::Ball);
    const std::int32_t bottom = arithmetic::roundedQuotient(height, twipsPerPixelY);
    const std::int32_t right = arithmetic::roundedQuotient(width, twipsPerPixelX);
    services_.roundBall(right, bottom);
}

// Shows each bat before moving it, so that on the first start a bat appears
// at its designed place, the centre of the screen, and keeps that height.
void Game::PlaceBats() {
    services_.show(Piece::RightBat);
    services_.setLeft(Piece::RightBat,
                      arithmetic::toSingle(static_cast<double>(services_.screenWidth()) -
                                           static_cast<double>(services_.width(Piece::RightBat))));
    services_.show(Piece::LeftBat);
    services_.setLeft(Piece::LeftBat, 0.0f);
}

// Shows the ball where it stands and gives it a new velocity.
void Game::ServeBall() {
    services_.show(Piece::Ball);
    const std::int16_t direction = RandomInt(0, 1);
    SpeedX = direction != 0 ? static_cast<std::int16_t>(-kServeSpeedX) : kServeSpeedX;
    SpeedY = RandomInt(-kServeSpeedYLimit, kServeSpeedYLimit);
}

}  // namespace volleon
