// Whether the display the program is about to use can be opened. Without
// one Qt aborts with a message about reinstalling the application, which
// says nothing of the cause; the program says what is wrong instead.
#pragma once

#include <optional>
#include <string>

namespace volleon::qt {

// One line for the user saying that no display could be opened and which
// variable to set, or nothing when the display opens. Only the X11 platform
// is checked, at the display named by DISPLAY; a platform other than xcb
// chosen with QT_QPA_PLATFORM or -platform, and a display named with -display,
// are left to Qt. Call after prepareEnvironment().
std::optional<std::string> displayProblem(int argc, const char* const* argv);

}  // namespace volleon::qt
