// Shaped windows under compositing managers. Some compositors (weston with
// XWayland, some KWin set-ups) draw a window's full rectangle whatever its
// X shape; a window with an alpha channel that is transparent outside its
// shape looks the same under every compositor. Without a compositor an
// alpha channel is not blended and shows black, so there the shape alone
// must do.
#pragma once

class QWidget;

namespace volleon::qt {

// Whether a compositing manager runs on the X11 screen the program uses: the
// _NET_WM_CM_S<screen> selection has an owner. False on other platforms.
bool compositingManagerRuns();

// For a window with a shape, before its native window exists: gives it a
// translucent background (an ARGB visual on X11) where a compositing manager
// runs, so that what lies outside its mask can be painted transparent. Does
// nothing otherwise. Decided once: a compositor started later is not followed.
void seeThroughOutsideMaskUnderCompositor(QWidget& window);

// Whether the window paints only inside its mask, leaving the rest clear.
bool paintsOnlyInsideMask(const QWidget& window);

}  // namespace volleon::qt
