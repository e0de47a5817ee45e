// Whether the display the program is about to use can be opened. Without
// one Qt aborts with a message about reinstalling the application, which
// says nothing of the cause; the program says what is wrong instead.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace volleon::qt {

// One line for the user saying that no display could be opened and which
// variable to set, or nothing when the display opens. Only the X11 platform
// is checked, at the display named by DISPLAY; a platform other than xcb
// chosen with QT_QPA_PLATFORM or -platform, and a display named with -display,
// are left to Qt. Call after prepareEnvironment().
std::optional<std::string> displayProblem(int argc, const char* const* argv);

// Explains a failure of the QApplication constructed while it lives: where
// Qt cannot start because no display opens, the program prints
// displayProblem's line and exits with status 1 in place of Qt's messages
// and abort. The display is asked about only then, so a normal start opens
// it once, in Qt. Qt's messages of its start are held back until started()
// (or the end of the explainer) and then passed on as they came.
class DisplayFailureExplainer {
public:
    DisplayFailureExplainer(int argc, const char* const* argv);
    ~DisplayFailureExplainer();
    DisplayFailureExplainer(const DisplayFailureExplainer&) = delete;
    DisplayFailureExplainer& operator=(const DisplayFailureExplainer&) = delete;

    // The QApplication exists: passes the held messages on.
    void started();

private:
    bool explaining_ = true;
};

}  // namespace volleon::qt
