// X11 details of the piece windows that Qt does not offer to set.
#pragma once

class QWidget;

namespace volleon::qt {

// On an X11 display, for a piece window that has its native window:
// - gives it the screen's default colormap instead of the private one Qt
//   makes, since an X server draws a shaped window with a private colormap
//   as its full rectangle, which would show the ball square;
// - leaves its title empty where Qt would show the application name;
// - keeps the echo of each move away from Qt (see below).
// Does nothing on other platforms.
void adjustX11PieceWindow(QWidget& window, bool emptyTitle);

// To be called before the piece window is destroyed.
void forgetX11PieceWindow(QWidget& window);

}  // namespace volleon::qt
