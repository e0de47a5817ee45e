// Where a native window may stand. The rules put a piece anywhere, as far
// past the screen's edges as the keys take it, and keep its exact twips; a
// window system holds a window only within a narrower range (X11 positions
// are 16-bit and wrap round past 32767). A native position is held within
// a range far outside every screen but safely inside that one.
#pragma once

#include <algorithm>

namespace volleon::core {

inline constexpr int kNativePositionLimit = 30000;

// A desktop pixel coordinate for a native window, in the safe range.
constexpr int withinNativeRange(long long pixels) {
    return static_cast<int>(std::clamp<long long>(pixels, -kNativePositionLimit, kNativePositionLimit));
}

}  // namespace volleon::core
