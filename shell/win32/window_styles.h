// Window styles for a window design: its frame, title-bar buttons and
// taskbar button, and the outer size that the frame gives a client area.
#pragma once

#include <windows.h>

#include "shell/design/window_design.h"

namespace volleon::win32 {

struct WindowStyle {
    DWORD style = 0;
    DWORD exStyle = 0;
};

WindowStyle styleOf(const design::WindowDesign& design);

// The outer size in pixels of a window of that style whose client area is
// clientWidth x clientHeight pixels.
SIZE outerSize(const WindowStyle& style, int clientWidth, int clientHeight);

}  // namespace volleon::win32
