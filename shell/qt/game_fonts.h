// The fonts the program draws with. All of its text is in one family
// (Liberation Sans, standing in for the faces the window designs name), so
// the toolkit is given a font configuration that holds that family alone,
// instead of listing every font installed on the desktop at start-up.
#pragma once

#include <string>
#include <vector>

namespace volleon::qt {

// The files of the game's family, regular and bold, found in the font
// folders fontconfig is configured with; empty unless both are there.
std::vector<std::string> gameFontFiles(const std::vector<std::string>& fontFolders);

// For as long as it lives, the current fontconfig configuration is one that
// keeps the system's and the user's rules (hinting, antialiasing, subpixel
// order, LCD filter) but holds only the game's fonts. Make it before the
// QApplication and let it outlive it. Where those fonts are not installed,
// fontconfig is left as it is and the toolkit sees every installed font.
class GameFonts {
public:
    GameFonts();
    // Gives up the configuration made current, which fontconfig then frees
    // unless the toolkit still holds it: some toolkit versions release only
    // a configuration they made themselves.
    ~GameFonts();
    GameFonts(const GameFonts&) = delete;
    GameFonts& operator=(const GameFonts&) = delete;
    GameFonts(GameFonts&&) = delete;
    GameFonts& operator=(GameFonts&&) = delete;

private:
    bool madeCurrent_;  // the game's fonts are the only ones
};

}  // namespace volleon::qt
