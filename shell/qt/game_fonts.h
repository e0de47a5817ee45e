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

// Call before the QApplication exists. Makes the current fontconfig
// configuration one that keeps the system's and the user's rules (hinting,
// antialiasing, subpixel order, LCD filter) but holds only the game's fonts.
// Where those fonts are not installed, fontconfig is left as it is and the
// toolkit sees every installed font. Returns whether the game's fonts are
// the only ones.
bool useGameFontsOnly();

}  // namespace volleon::qt
