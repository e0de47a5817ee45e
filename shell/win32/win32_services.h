// The rules' services bound to the Windows desktop: piece windows, the
// screen, the score label, the two timers, the keyboard state of the
// program's own input queue and the end of the program.
#pragma once

#include <windows.h>

#include <functional>

#include "piece_window.h"
#include "shell/core/desktop_services.h"

namespace volleon::win32 {

class Win32Services final : public core::DesktopServicesOf<PieceWindow> {
public:
    struct Bindings {
        HINSTANCE instance;
        HWND scoreLabel;
        std::function<void(Timer)> enableTimer;
        // Stops the timers, destroys the pieces and ends the message loop
        // with the exit status.
        std::function<void(int exitCode)> closeProgram;
    };

    explicit Win32Services(const Bindings& bindings);
};

}  // namespace volleon::win32
