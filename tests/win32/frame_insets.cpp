// Prints the insets of the main window's frame as Windows computes them for
// its styles at the screen's DPI: "left top right bottom" in pixels, the
// distances from each side of the window's rectangle to its client area.
// The end-to-end scenarios under Wine compare the X windows with them.
#include <windows.h>

#include <cstdio>

#include "shell/design/designs.h"
#include "shell/win32/window_styles.h"

int main() {
    const volleon::win32::WindowStyle style = volleon::win32::styleOf(volleon::design::kForm1);
    RECT rect{0, 0, 0, 0};
    if (AdjustWindowRectEx(&rect, style.style, FALSE, style.exStyle) == FALSE) {
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", -rect.left, -rect.top, rect.right, rect.bottom);
    return 0;
}
