// Cost of the rules on the in-memory playfield: one ball tick, one keyboard
// tick, and an hour of play on the virtual clock with keys changing.
#include <cstdint>
#include <random>

#include <benchmark/benchmark.h>

#include "game/game.h"
#include "game/playfield.h"
#include "game/virtual_clock.h"

namespace volleon {
namespace {

void BM_BallTick(benchmark::State& state) {
    Playfield field;
    field.setSeed(1);
    Game game(field);
    game.cmdGo_Click();
    for (auto _ : state) {
        game.timerBall_Timer();
    }
    benchmark::DoNotOptimize(game.ScoreLeft);
}
BENCHMARK(BM_BallTick);

void BM_KeyboardTick(benchmark::State& state) {
    Playfield field;
    Game game(field);
    game.cmdGo_Click();
    // Every 64 ticks the bats turn round, so they swing about the screen.
    bool leftUp = true;
    std::uint64_t n = 0;
    for (auto _ : state) {
        if ((n++ & 63) == 0) {
            leftUp = !leftUp;
            field.setKeyByte(kKeyA, leftUp ? 0x80 : 0x00);
            field.setKeyByte(kKeyZ, leftUp ? 0x00 : 0x80);
            field.setKeyByte(kKeyApostrophe, leftUp ? 0x00 : 0x80);
            field.setKeyByte(kKeySlash, leftUp ? 0x80 : 0x00);
        }
        game.timerKbrd_Timer();
    }
    float leftBatTop = field.piece(Piece::LeftBat).top;
    benchmark::DoNotOptimize(leftBatTop);
}
BENCHMARK(BM_KeyboardTick);

// One hour of play from the start button: 72,000 ball ticks and 36,000
// keyboard ticks, with one of the four bat keys pressed or released every
// 50 to 1,000 ms of play.
void BM_SimulatedHour(benchmark::State& state) {
    constexpr std::int64_t kHourMs = 3'600'000;
    constexpr int kBatKeys[] = {kKeyA, kKeyZ, kKeyApostrophe, kKeySlash};
    std::uint64_t ticks = 0;
    std::uint32_t seed = 1;
    for (auto _ : state) {
        Playfield field;
        field.setSeed(seed);
        Game game(field);
        VirtualClock clock(game, field);
        std::mt19937 keys(seed++);
        game.cmdGo_Click();
        while (clock.nowMs() < kHourMs) {
            const int key = kBatKeys[keys() % 4];
            field.setKeyByte(key, (keys() & 1) != 0 ? 0x80 : 0x00);
            const std::int64_t pause = 50 + static_cast<std::int64_t>(keys() % 951);
            ticks += clock.advance(pause < kHourMs - clock.nowMs() ? pause : kHourMs - clock.nowMs());
        }
        benchmark::DoNotOptimize(game.ScoreLeft);
    }
    state.counters["ticks"] = benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SimulatedHour)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace volleon
