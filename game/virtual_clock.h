// Drives a Game on a Playfield through virtual time: each enabled timer
// ticks at its designed interval, in time order, and nothing ticks after the
// end of the program. Minutes of play run in microseconds.
#pragma once

#include <cstdint>
#include <functional>

#include "game.h"
#include "playfield.h"

namespace volleon {

class VirtualClock {
public:
    VirtualClock(Game& game, Playfield& playfield) : game_(game), playfield_(playfield) {}

    // Called after every tick with the timer that ticked.
    using TickObserver = std::function<void(Timer)>;

    // Moves time on by `ms`, running every tick that falls due on the way.
    // Timers due at the same moment tick ball first, then keyboard. Stops
    // early at the end of the program. Returns the number of ticks run.
    std::uint64_t advance(std::int64_t ms, const TickObserver& afterTick = {});

    std::int64_t nowMs() const { return playfield_.nowMs(); }
    std::uint64_t ballTicks() const { return ballTicks_; }
    std::uint64_t keyboardTicks() const { return keyboardTicks_; }

private:
    Game& game_;
    Playfield& playfield_;
    std::uint64_t ballTicks_ = 0;
    std::uint64_t keyboardTicks_ = 0;
};

}  // namespace volleon
