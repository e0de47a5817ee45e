// What the program settles before and right after creating its
// QApplication.
#pragma once

class QApplication;

namespace volleon::qt {

// Call before the QApplication exists. One device pixel is one pixel of the
// window designs: Qt's own high-DPI scaling is switched off, so the screen's
// logical DPI (Xft.dpi on X11) only sets twips per pixel and font sizes. On a
// Wayland session the program runs through XWayland, where top-level windows
// can place themselves, unless the user chose a platform.
void prepareEnvironment();

// The application's name and icon; closing the last window does not quit
// by itself, so the program's own end decides the exit status.
void setUpApplication(QApplication& application);

}  // namespace volleon::qt
