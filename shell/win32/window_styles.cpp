#include "window_styles.h"

namespace volleon::win32 {

WindowStyle styleOf(const design::WindowDesign& design) {
    WindowStyle result;
    switch (design.frame) {
    case design::Frame::FixedSingleWithTitle:
        // A caption with a fixed (dialog) frame; no sizing border.
        result.style = WS_OVERLAPPED | WS_CAPTION;
        break;
    case design::Frame::ThinLine:
        result.style = WS_POPUP | WS_BORDER;
        break;
    case design::Frame::None:
        result.style = WS_POPUP;
        break;
    }
    if (design.frame == design::Frame::FixedSingleWithTitle) {
        // The close button belongs to the window menu.
        if (design.buttons.windowMenu || design.buttons.close) result.style |= WS_SYSMENU;
        if (design.buttons.minimise) result.style |= WS_MINIMIZEBOX;
        if (design.buttons.maximise) result.style |= WS_MAXIMIZEBOX;
    }
    result.exStyle = design.taskbarButton ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    return result;
}

SIZE outerSize(const WindowStyle& style, int clientWidth, int clientHeight) {
    RECT rect{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&rect, style.style, FALSE, style.exStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace volleon::win32
