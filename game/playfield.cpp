#include "playfield.h"

#include <algorithm>

#include "piece_sizes.h"
#include "timers.h"

namespace volleon {

Playfield::Playfield() { setSeed(0); }

void Playfield::setScreenSize(float widthTwips, float heightTwips) {
    screenWidth_ = widthTwips;
    screenHeight_ = heightTwips;
}

void Playfield::setTwipsPerPixel(float x, float y) {
    twipsPerPixelX_ = x;
    twipsPerPixelY_ = y;
}

void Playfield::setPieceSize(Piece piece, float width, float height) {
    sizeOverrides_[index(piece)] = std::pair{width, height};
    PieceState& state = pieces_[index(piece)];
    if (state.created) {
        state.width = width;
        state.height = height;
    }
}

void Playfield::placePiece(Piece piece, float left, float top) {
    PieceState& state = use(piece);
    state.left = left;
    state.top = top;
}

std::pair<float, float> Playfield::designedSize(Piece piece) const {
    if (const auto& size = sizeOverrides_[index(piece)]) {
        return *size;
    }
    if (piece == Piece::Ball) {
        return {static_cast<float>(kBallClientSize), static_cast<float>(kBallClientSize)};
    }
    return {static_cast<float>(kBatClientWidth) + 2.0f * twipsPerPixelX_,
            static_cast<float>(kBatClientHeight) + 2.0f * twipsPerPixelY_};
}

// A piece comes into being on its first use, hidden and centred on the screen.
Playfield::PieceState& Playfield::use(Piece piece) {
    PieceState& state = pieces_[index(piece)];
    if (!state.created) {
        const auto [width, height] = designedSize(piece);
        state.created = true;
        state.width = width;
        state.height = height;
        state.left = centredOnScreen(screenWidth_, width);
        state.top = centredOnScreen(screenHeight_, height);
    }
    return state;
}

float Playfield::left(Piece piece) { return use(piece).left; }
float Playfield::top(Piece piece) { return use(piece).top; }
void Playfield::setLeft(Piece piece, float value) { use(piece).left = value; }
void Playfield::setTop(Piece piece, float value) { use(piece).top = value; }
float Playfield::width(Piece piece) { return use(piece).width; }
float Playfield::height(Piece piece) { return use(piece).height; }

void Playfield::show(Piece piece) {
    PieceState& state = use(piece);
    state.shown = true;
    ++state.showCalls;
}

void Playfield::roundBall(std::int32_t right, std::int32_t bottom) {
    use(Piece::Ball);
    region_ = Region{right, bottom};
    ++regionsMade_;
}

void Playfield::setScoreText(const std::string& text) {
    scoreText_ = text;
    ++scoreTextWrites_;
}

// Enabling a running timer leaves its countdown alone.
void Playfield::enableTimer(Timer timer) {
    TimerState& state = timers_[index(timer)];
    if (!state.enabled) {
        state.enabled = true;
        state.dueMs = nowMs_ + timerIntervalMs(timer);
    }
}

void Playfield::rearmTimer(Timer timer) { timers_[index(timer)].dueMs += timerIntervalMs(timer); }

void Playfield::setKeyByte(int code, std::uint8_t state) { keys_.at(static_cast<std::size_t>(code)) = state; }

void Playfield::releaseAllKeys() { keys_.fill(0); }

void Playfield::keyboardSnapshot(KeyStateBuffer& buffer) {
    std::copy(keys_.begin(), keys_.end(), buffer.begin());
    ++snapshots_;
}

void Playfield::setSeed(std::uint64_t seed) {
    seed_ = seed;
    random_.reseed(seed);
}

// The clock here is the virtual one: a reseed mixes the seed, the virtual
// time and the number of reseeds, so every match differs and runs repeat.
void Playfield::seedRandom() {
    ++reseeds_;
    const auto now = static_cast<std::uint64_t>(nowMs_);
    random_.reseed(seed_ ^ (now * 0x9E3779B97F4A7C15ull) ^ (static_cast<std::uint64_t>(reseeds_) << 48));
}

void Playfield::queueRandom(float r) { queuedRandom_.push_back(r); }

float Playfield::nextRandom() {
    ++randomDraws_;
    if (!queuedRandom_.empty()) {
        const float r = queuedRandom_.front();
        queuedRandom_.pop_front();
        return r;
    }
    return random_.next();
}

}  // namespace volleon
