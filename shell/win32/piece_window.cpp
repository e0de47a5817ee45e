#include "piece_window.h"

#include "colours.h"
#include "game/services.h"
#include "text.h"
#include "twips.h"
#include "window_class.h"

namespace volleon::win32 {

namespace {

constexpr wchar_t kClassName[] = L"VolleonPiece";

}  // namespace

PieceWindow::PieceWindow(const design::WindowDesign& design, HINSTANCE instance)
    : design_(design), style_(styleOf(design)) {
    registerWindowClass(instance, kClassName, &PieceWindow::windowProc, {});
    const Twips twips = Twips::ofScreen();
    const SIZE outer = outerSize(style_, twips.toPixelsX(design.clientWidth), twips.toPixelsY(design.clientHeight));
    // Never activated: a click on a piece leaves the keyboard with the main
    // window.
    hwnd_ = CreateWindowExW(style_.exStyle | WS_EX_NOACTIVATE, kClassName, widen(design.title).c_str(), style_.style,
                            0, 0, outer.cx, outer.cy, nullptr, nullptr, instance, this);
    for (const design::ControlDesign& control : design.controls) {
        if (control.kind == design::ControlKind::CircleShape) {
            shape_ = design::designedShape(control);
            shapeOutlinePixels_ = control.outlineWidthPixels;
        }
    }
    Form_Load();
}

PieceWindow::~PieceWindow() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

RECT PieceWindow::windowRect() const {
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

float PieceWindow::left() const {
    const Twips twips = Twips::ofScreen();
    const LONG pixel = windowRect().left;
    return pixel == twips.toPixelsX(left_) ? left_ : twips.fromPixelsX(pixel);
}

float PieceWindow::top() const {
    const Twips twips = Twips::ofScreen();
    const LONG pixel = windowRect().top;
    return pixel == twips.toPixelsY(top_) ? top_ : twips.fromPixelsY(pixel);
}

void PieceWindow::setLeft(float twips) {
    top_ = top();
    left_ = twips;
    moveToNearestPixel();
}

void PieceWindow::setTop(float twips) {
    left_ = left();
    top_ = twips;
    moveToNearestPixel();
}

float PieceWindow::outerWidth() const {
    const RECT rect = windowRect();
    return Twips::ofScreen().fromPixelsX(rect.right - rect.left);
}

float PieceWindow::outerHeight() const {
    const RECT rect = windowRect();
    return Twips::ofScreen().fromPixelsY(rect.bottom - rect.top);
}

void PieceWindow::centreOn(float screenWidth, float screenHeight) {
    left_ = centredOnScreen(screenWidth, outerWidth());
    top_ = centredOnScreen(screenHeight, outerHeight());
    moveToNearestPixel();
}

bool PieceWindow::isVisible() const { return IsWindowVisible(hwnd_) != FALSE; }

void PieceWindow::show() {
    if (!isVisible()) {
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    }
}

void PieceWindow::round(int right, int bottom) {
    HRGN region = CreateEllipticRgn(0, 0, right, bottom);
    SetWindowRgn(hwnd_, region, TRUE);
}

void PieceWindow::Form_Load() {
    if (shape_) {
        *shape_ = ShapeGeometry{0.0f, 0.0f, outerWidth(), outerHeight()};
    }
}

void PieceWindow::moveToNearestPixel() {
    const Twips twips = Twips::ofScreen();
    SetWindowPos(hwnd_, nullptr, twips.toPixelsX(left_), twips.toPixelsY(top_), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    if (shape_ && shapeOutlinePixels_ > 0) {
        // The outline lies inside the shape's box, like a border drawn inside
        // its control.
        const Twips twips = Twips::ofScreen();
        HPEN pen = CreatePen(PS_INSIDEFRAME, shapeOutlinePixels_, GetSysColor(COLOR_WINDOWTEXT));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        const int left = twips.toPixelsX(shape_->left);
        const int top = twips.toPixelsY(shape_->top);
        Ellipse(dc, left, top, left + twips.toPixelsX(shape_->width), top + twips.toPixelsY(shape_->height));
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
