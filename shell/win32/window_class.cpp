#include "window_class.h"

namespace volleon::win32 {

void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC windowProc, const WindowClassLook& look) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, name, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = look.background;
    windowClass.hIcon = look.icon;
    windowClass.hIconSm = look.smallIcon;
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

}  // namespace volleon::win32
