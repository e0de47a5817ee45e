// The designed intervals of the two timers.
#pragma once

#include "services.h"

namespace volleon {

constexpr int kBallTimerIntervalMs = 50;
constexpr int kKeyboardTimerIntervalMs = 100;

constexpr int timerIntervalMs(Timer timer) {
    return timer == Timer::Ball ? kBallTimerIntervalMs : kKeyboardTimerIntervalMs;
}

}  // namespace volleon
