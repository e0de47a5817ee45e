// The controls of a window design in tab order: the order they are created
// in and the focus moves in. Controls without a tab index (timers) count as
// index 0; ties keep the design's order.
#pragma once

#include <algorithm>
#include <vector>

#include "shell/design/window_design.h"

namespace volleon::core {

inline std::vector<const design::ControlDesign*> inTabOrder(const design::WindowDesign& window) {
    std::vector<const design::ControlDesign*> controls;
    for (const design::ControlDesign& control : window.controls) {
        controls.push_back(&control);
    }
    std::stable_sort(controls.begin(), controls.end(),
                     [](const auto* a, const auto* b) { return a->tabIndex.value_or(0) < b->tabIndex.value_or(0); });
    return controls;
}

}  // namespace volleon::core
