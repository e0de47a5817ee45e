// Design colours as Windows colour values.
#pragma once

#include <windows.h>

#include "shell/design/window_design.h"

namespace volleon::win32 {

inline COLORREF toColorRef(design::Rgb rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

}  // namespace volleon::win32
