// Qt's start, explained where it fails for want of a display.
#pragma once

namespace volleon::qt {

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
