// An in-memory desktop: the screen, the three pieces, the score label, the
// timers, the keyboard and the random generator held as plain values, so the
// rules run without any window. Time is virtual: VirtualClock moves it on.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "random_source.h"
#include "services.h"

namespace volleon {

class Playfield final : public Services {
public:
    struct PieceState {
        bool created = false;
        bool shown = false;
        int showCalls = 0;
        float left = 0.0f;
        float top = 0.0f;
        float width = 0.0f;
        float height = 0.0f;
    };

    struct Region {
        std::int32_t right = 0;
        std::int32_t bottom = 0;
    };

    // A 28800 x 16200 twip screen (1920 x 1080 pixels at 15 twips per pixel).
    Playfield();

    // --- Setting up the desktop -------------------------------------------
    void setScreenSize(float widthTwips, float heightTwips);
    void setTwipsPerPixel(float x, float y);
    // Overrides the outer size a piece gets (or has); by default the ball is
    // 1005 x 1005 and each bat 555 x 1500 plus a one-pixel frame.
    void setPieceSize(Piece piece, float width, float height);
    // Puts a piece at a place, creating it first if it does not exist yet.
    void placePiece(Piece piece, float left, float top);

    // --- Random numbers ------------------------------------------------------
    // Seeds the generator; each later seedRandom() derives from this seed, the
    // virtual time and the number of reseeds, so runs repeat exactly.
    void setSeed(std::uint64_t seed);
    // Numbers handed out, in order, before the generator is used again.
    void queueRandom(float r);
    std::uint64_t randomDraws() const { return randomDraws_; }
    int reseeds() const { return reseeds_; }

    // --- Keyboard ------------------------------------------------------------
    // The byte a key shows in the next snapshots (bit 7 held, bit 0 toggle).
    void setKeyByte(int code, std::uint8_t state);
    void pressKey(int code) { setKeyByte(code, 0x80); }
    void releaseKey(int code) { setKeyByte(code, 0x00); }
    void releaseAllKeys();
    int snapshots() const { return snapshots_; }

    // --- What the rules did --------------------------------------------------
    const PieceState& piece(Piece piece) const { return pieces_[index(piece)]; }
    const std::optional<Region>& ballRegion() const { return region_; }
    int regionsMade() const { return regionsMade_; }
    const std::string& scoreText() const { return scoreText_; }
    int scoreTextWrites() const { return scoreTextWrites_; }
    bool timerEnabled(Timer timer) const { return timers_[index(timer)].enabled; }
    bool ended() const { return ended_; }

    // --- Virtual time (driven by VirtualClock) -------------------------------
    std::int64_t nowMs() const { return nowMs_; }
    void setNowMs(std::int64_t ms) { nowMs_ = ms; }
    // When an enabled timer next ticks.
    std::int64_t timerDueMs(Timer timer) const { return timers_[index(timer)].dueMs; }
    void rearmTimer(Timer timer);

    // --- Services ------------------------------------------------------------
    float left(Piece) override;
    float top(Piece) override;
    void setLeft(Piece, float) override;
    void setTop(Piece, float) override;
    float width(Piece) override;
    float height(Piece) override;
    void show(Piece) override;
    float screenWidth() override { return screenWidth_; }
    float screenHeight() override { return screenHeight_; }
    float twipsPerPixelX() override { return twipsPerPixelX_; }
    float twipsPerPixelY() override { return twipsPerPixelY_; }
    void roundBall(std::int32_t right, std::int32_t bottom) override;
    void setScoreText(const std::string& text) override;
    void enableTimer(Timer) override;
    void keyboardSnapshot(KeyStateBuffer& buffer) override;
    void seedRandom() override;
    float nextRandom() override;
    void endProgram() override { ended_ = true; }

private:
    struct TimerState {
        bool enabled = false;
        std::int64_t dueMs = 0;
    };

    static constexpr std::size_t index(Piece piece) { return static_cast<std::size_t>(piece); }
    static constexpr std::size_t index(Timer timer) { return static_cast<std::size_t>(timer); }
    PieceState& use(Piece piece);
    std::pair<float, float> designedSize(Piece piece) const;

    float screenWidth_ = 28800.0f;
    float screenHeight_ = 16200.0f;
    float twipsPerPixelX_ = 15.0f;
    float twipsPerPixelY_ = 15.0f;
    std::array<PieceState, 3> pieces_{};
    std::array<std::optional<std::pair<float, float>>, 3> sizeOverrides_{};
    std::optional<Region> region_;
    int regionsMade_ = 0;
    std::string scoreText_ = "0:0";
    int scoreTextWrites_ = 0;
    std::array<TimerState, 2> timers_{};
    std::array<std::uint8_t, 256> keys_{};
    int snapshots_ = 0;
    RandomSource random_;
    std::uint64_t seed_ = 0;
    std::deque<float> queuedRandom_;
    std::uint64_t randomDraws_ = 0;
    int reseeds_ = 0;
    std::int64_t nowMs_ = 0;
    bool ended_ = false;
};

}  // namespace volleon
