// The program's pictures, compiled in as resources (see volleon.rc).
#pragma once

#include <windows.h>

namespace volleon::win32 {

// The 16 x 16 smiling face at the given size in pixels. Shared: not to be
// destroyed.
HICON programIcon(HINSTANCE instance, int size);
// The 32 x 32 arrow with a box, shown over the home-page link. Shared.
HCURSOR linkCursor(HINSTANCE instance);

}  // namespace volleon::win32
