#include "click_on_release.h"

#include <commctrl.h>
#include <windowsx.h>

#include <utility>

namespace volleon::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;

struct ClickState {
    std::function<void()> onClick;
    bool pressed = false;
};

bool isOver(HWND control, LPARAM position) {
    RECT client{};
    GetClientRect(control, &client);
    const POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    return PtInRect(&client, point) != FALSE;
}

LRESULT CALLBACK clickProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<ClickState*>(data);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the second press of a quick second click
        state->pressed = true;
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        const bool click = state->pressed && isOver(hwnd, lParam);
        state->pressed = false;
        if (GetCapture() == hwnd) {
            ReleaseCapture();
        }
        if (click) {
            state->onClick();
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        state->pressed = false;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &clickProc, kSubclassId);
        delete state;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void clickOnRelease(HWND control, std::function<void()> onClick) {
    auto* state = new ClickState{std::move(onClick)};
    if (!SetWindowSubclass(control, &clickProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
    }
}

}  // namespace volleon::win32
