#include "controls.h"

#include <cmath>
#include <string>

#include "text.h"

namespace volleon::win32 {

namespace {

DWORD styleOf(const design::ControlDesign& control) {
    DWORD style = WS_CHILD | (control.visible ? WS_VISIBLE : 0);
    if (control.kind == design::ControlKind::PushButton) {
        return style | WS_TABSTOP | BS_PUSHBUTTON;
    }
    // Labels never take the focus; SS_NOTIFY gives them the mouse, so that
    // a label can be clicked and the parent chooses the cursor over it.
    return style | SS_NOTIFY | (control.alignment == design::TextAlignment::Centre ? SS_CENTER : SS_LEFT);
}

// A label that sizes itself to its text: one line high, as wide as the text.
void fitToText(HWND label, HFONT font) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HFONT createFont(const design::FontDesign& font) {
    // A negative height asks for the character height without internal
    // leading: the point size.
    const int height = -static_cast<int>(std::lround(font.points * logicalDpiY() / 72.0));
    return CreateFontW(height, 0, 0, 0, font.weight, font.italic, font.underline, font.strikeOut,
                       static_cast<DWORD>(font.characterSet), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, widen(font.family).c_str());
}

HWND createControl(const design::ControlDesign& control, HWND parent, int id, HFONT font, const Twips& twips) {
    const wchar_t* windowClass = nullptr;
    switch (control.kind) {
    case design::ControlKind::PushButton:
        windowClass = L"BUTTON";
        break;
    case design::ControlKind::Label:
        windowClass = L"STATIC";
        break;
    case design::ControlKind::Timer:
    case design::ControlKind::CircleShape:
        return nullptr;
    }
    const design::TwipRect& rect = control.rect;
    HWND hwnd = CreateWindowExW(0, windowClass, widen(control.text).c_str(), styleOf(control),
                                twips.toPixelsX(rect.left), twips.toPixelsY(rect.top), twips.toPixelsX(rect.width),
                                twips.toPixelsY(rect.height), parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (control.autoSize) {
        fitToText(hwnd, font);
    }
    return hwnd;
}

}  // namespace volleon::win32
