// The designed client sizes of the piece windows, in twips. The ball has no
// frame, so its outer size is its client size; each bat adds a one-pixel line
// on every side.
#pragma once

namespace volleon {

constexpr int kBallClientSize = 1005;
constexpr int kBatClientWidth = 555;
constexpr int kBatClientHeight = 1500;

}  // namespace volleon
