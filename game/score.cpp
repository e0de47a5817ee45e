#include <algorithm>
#include <cctype>
#include <charconv>

#include "arithmetic.h"
#include "game.h"
#include "score_text.h"

namespace volleon {

std::string ScoreNumberText(float score) {
    char buffer[32];
    // to_chars does not depend on the locale, so the decimal point and the
    // digits stay the same whatever the desktop's language.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, score,
                                      std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string ScoreText(float left, float right) {
    return ScoreNumberText(left) + " : " + ScoreNumberText(right);
}

void Game::AddScore(std::int16_t addLeft, std::int16_t addRight) {
    ScoreLeft = arithmetic::sum(ScoreLeft, static_cast<float>(addLeft));
    ScoreRight = arithmetic::sum(ScoreRight, static_cast<float>(addRight));
    services_.setScoreText(ScoreText(ScoreLeft, ScoreRight));
}

}  // namespace volleon
