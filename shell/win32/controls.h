// Standard Windows controls (BUTTON, STATIC) and fonts made from the
// designs of the main window's controls.
#pragma once

#include <windows.h>

#include "shell/design/window_design.h"
#include "twips.h"

namespace volleon::win32 {

// A font of the design at the screen's logical DPI. The caller deletes it.
HFONT createFont(const design::FontDesign& font);

// A push button (BUTTON) or text label (STATIC) of the design as a child of
// `parent` with the given control id and font, placed in pixels. Labels
// notify clicks. Returns nullptr for controls that are not windows (timers,
// shapes).
HWND createControl(const design::ControlDesign& control, HWND parent, int id, HFONT font, const Twips& twips);

}  // namespace volleon::win32
