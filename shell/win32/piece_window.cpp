#include "piece_window.h"

#include "colours.h"
#include "text.h"
#include "twips.h"
#include "window_class.h"

namespace volleon::win32 {

namespace {

constexpr wchar_t kClassName[] = L"VolleonPiece";

}  // namespace

PieceWindow::PieceWindow(const design::WindowDesign& design, HINSTANCE instance)
    : core::PieceWindow(design), design_(design), style_(styleOf(design)) {
    registerWindowClass(instance, kClassName, &PieceWindow::windowProc, {});
    const Twips twips = Twips::ofScreen();
    const SIZE outer = outerSize(style_, twips.toPixelsX(design.clientWidth), twips.toPixelsY(design.clientHeight));
    // Never activated: a click on a piece leaves the keyboard with the main
    // window.
    hwnd_ = CreateWindowExW(style_.exStyle | WS_EX_NOACTIVATE, kClassName, widen(design.title).c_str(), style_.style,
                            0, 0, outer.cx, outer.cy, nullptr, nullptr, instance, this);
}

PieceWindow::~PieceWindow() { closeNative(); }

RECT PieceWindow::windowRect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

core::PixelPosition PieceWindow::nativePosition() const {
    const RECT rect = windowRect();
    return {rect.left, rect.top};
}

core::PixelSize PieceWindow::nativeSize() const {
    const RECT rect = windowRect();
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void PieceWindow::moveNative(core::PixelPosition position) {
    SetWindowPos(hwnd_, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PieceWindow::isVisible() const { return IsWindowVisible(hwnd_) != FALSE; }

void PieceWindow::showNative() { ShowWindow(hwnd_, SW_SHOWNOACTIVATE); }

void PieceWindow::round(int right, int bottom) {
    HRGN region = CreateEllipticRgn(0, 0, right, bottom);
    SetWindowRgn(hwnd_, region, TRUE);
}

void PieceWindow::closeNative() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void PieceWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client;
    GetClientRect(hwnd_, &client);
    HBRUSH back = design_.backColour ? CreateSolidBrush(toColorRef(*design_.backColour))
                                     : GetSysColorBrush(COLOR_BTNFACE);
    FillRect(dc, &client, back);
    if (design_.backColour) {
        DeleteObject(back);
    }
    if (const auto& outlined = shape(); outlined && shapeOutlinePixels() > 0) {
        // The outline lies inside the shape's box, like a border drawn inside
        // its control.
        const Twips twips = Twips::ofScreen();
        HPEN pen = CreatePen(PS_INSIDEFRAME, shapeOutlinePixels(), GetSysColor(COLOR_WINDOWTEXT));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        const int left = twips.toPixelsX(outlined->left);
        const int top = twips.toPixelsY(outlined->top);
        Ellipse(dc, left, top, left + twips.toPixelsX(outlined->width), top + twips.toPixelsY(outlined->height));
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK PieceWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PieceWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT fills the whole window
    case WM_PAINT:
        if (self != nullptr) {
            self->paint();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace volleon::win32
