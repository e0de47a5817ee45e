// Registration of the program's window classes.
#pragma once

#include <windows.h>

namespace volleon::win32 {

struct WindowClassLook {
    HBRUSH background = nullptr;  // nullptr: the window paints its own
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

// Registers the class once, with the arrow cursor; later calls find it.
void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc, const WindowClassLook& look);

}  // namespace volleon::win32
