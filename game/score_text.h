// The text of the score label: left score, " : ", right score.
#pragma once

#include <string>

namespace volleon {

// A score in decimal with at most 7 significant digits; whole numbers below
// 10 000 000 come out as their plain digits.
std::string ScoreNumberText(float score);

std::string ScoreText(float left, float right);

}  // namespace volleon
