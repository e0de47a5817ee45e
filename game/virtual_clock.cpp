#include "virtual_clock.h"

#include <limits>

namespace volleon {

std::uint64_t VirtualClock::advance(std::int64_t ms, const TickObserver& afterTick) {
    const std::int64_t end = playfield_.nowMs() + ms;
    std::uint64_t ticks = 0;
    while (!playfield_.ended()) {
        bool any = false;
        Timer next = Timer::Ball;
        std::int64_t due = std::numeric_limits<std::int64_t>::max();
        for (Timer timer : {Timer::Ball, Timer::Keyboard}) {
            if (playfield_.timerEnabled(timer) && playfield_.timerDueMs(timer) < due) {
                any = true;
                next = timer;
                due = playfield_.timerDueMs(timer);
            }
        }
        if (!any || due > end) {
            break;
        }
        playfield_.setNowMs(due);
        playfield_.rearmTimer(next);
        if (next == Timer::Ball) {
            ++ballTicks_;
            game_.timerBall_Timer();
        } else {
            ++keyboardTicks_;
            game_.timerKbrd_Timer();
        }
        ++ticks;
        if (afterTick) {
            afterTick(next);
        }
    }
    if (!playfield_.ended()) {
        playfield_.setNowMs(end);
    }
    return ticks;
}

}  // namespace volleon
