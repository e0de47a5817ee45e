// A click as a button makes it: the left button pressed on a control and
// released over it. A static control's own click notice comes on the press.
#pragma once

#include <windows.h>

#include <functional>

namespace volleon::win32 {

// From now on, onClick runs each time the left button is pressed on the
// control and released over it; a release elsewhere, or a lost capture,
// makes no click. The control's own handling of the left button (a label's
// click notice on the press) is left out. The callback goes with the control.
void clickOnRelease(HWND control, std::function<void()> onClick);

}  // namespace volleon::win32
