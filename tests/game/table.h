// A game on an in-memory playfield, with helpers that put the pieces where a
// test needs them. Sizes are those of the default 28800 x 16200 twip screen at
// 15 twips per pixel.
#pragma once

#include <cstdint>

#include "game/game.h"
#include "game/playfield.h"

namespace volleon::test {

constexpr float kScreenWidth = 28800.0f;
constexpr float kScreenHeight = 16200.0f;
constexpr float kBallSize = 1005.0f;
constexpr float kBatWidth = 585.0f;   // 555 + a 15-twip frame on each side
constexpr float kBatHeight = 1530.0f; // 1500 + a 15-twip frame on each side
// Left edge of the right bat when it stands against the screen's right edge.
constexpr float kRightFace = kScreenWidth - kBatWidth;
// A bat Top that keeps both bats clear of a ball in the upper half.
constexpr float kBatsLow = 14000.0f;

struct Table {
    Playfield field;
    Game game{field};

    void placeBall(float left, float top, std::int16_t speedX, std::int16_t speedY) {
        field.placePiece(Piece::Ball, left, top);
        game.SpeedX = speedX;
        game.SpeedY = speedY;
    }
    // Both bats against their side edges, at the given heights.
    void placeBats(float leftTop, float rightTop) {
        field.placePiece(Piece::LeftBat, 0.0f, leftTop);
        field.placePiece(Piece::RightBat, kRightFace, rightTop);
    }
    float ballLeft() const { return field.piece(Piece::Ball).left; }
    float ballTop() const { return field.piece(Piece::Ball).top; }
};

}  // namespace volleon::test
