// A piece of the game on the desktop: the ball or a bat. A popup tool window
// (no title bar, no taskbar button) that is never activated, so the main
// window keeps the keyboard.
#pragma once

#include <windows.h>

#include "shell/core/piece_window.h"
#include "shell/design/window_design.h"
#include "window_styles.h"

namespace volleon::win32 {

class PieceWindow final : public core::PieceWindow {
public:
    // Creates the window hidden, at its designed size.
    PieceWindow(const design::WindowDesign& design, HINSTANCE instance);
    ~PieceWindow() override;
    PieceWindow(const PieceWindow&) = delete;
    PieceWindow& operator=(const PieceWindow&) = delete;

    HWND handle() const { return hwnd_; }

    core::PixelPosition nativePosition() const override;
    core::PixelSize nativeSize() const override;
    void moveNative(core::PixelPosition position) override;
    bool isVisible() const override;
    void showNative() override;
    // The window owns the region from then on.
    void round(int right, int bottom) override;
    void closeNative() override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    RECT windowRect() const;
    void paint();

    const design::WindowDesign& design_;
    WindowStyle style_;
    HWND hwnd_ = nullptr;
};

}  // namespace volleon::win32
