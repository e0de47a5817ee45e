// Helpers of the Win32 binding's tests: the test program's own instance
// (which carries the program's resources and manifest), window geometry and
// a message pump.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

namespace volleon::win32::test {

inline HINSTANCE instance() { return GetModuleHandleW(nullptr); }

inline RECT windowRect(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

// A child's rectangle in its parent's client coordinates.
inline RECT childRect(HWND child) {
    RECT rect = windowRect(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline std::wstring windowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Dispatches messages for about the given time. Returns true, with the exit
// code, if a quit message came.
inline bool pumpMessages(std::chrono::milliseconds duration, int* exitCode = nullptr) {
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                if (exitCode != nullptr) {
                    *exitCode = static_cast<int>(message.wParam);
                }
                return true;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

}  // namespace volleon::win32::test
