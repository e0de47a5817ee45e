// The rules' services bound to the desktop through Qt: piece windows, the
// primary screen, the score label, the two timers, the program's own
// keyboard state and the end of the program.
#pragma once

#include <functional>

#include "key_state_tracker.h"
#include "piece_window.h"
#include "shell/core/desktop_services.h"

class QLabel;
class QTimer;

namespace volleon::qt {

class QtServices final : public core::DesktopServicesOf<PieceWindow> {
public:
    struct Bindings {
        QLabel& scoreLabel;
        QTimer& ballTimer;
        QTimer& keyboardTimer;
        KeyStateTracker& keys;
        // Closes the windows and ends the event loop with the exit status.
        std::function<void(int exitCode)> closeProgram;
    };

    explicit QtServices(const Bindings& bindings);
};

}  // namespace volleon::qt
