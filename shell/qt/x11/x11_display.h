// The X11 display that Qt's xcb platform has opened, for the few requests
// Qt does not make itself, with the EWMH atoms of libxcb-ewmh.
#pragma once

#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

namespace volleon::qt {

// Qt's connection, or nullptr on another platform (offscreen included) or
// before the application exists.
xcb_connection_t* x11Connection();

// The screen the program uses: the one DISPLAY names, screen 0 unless it says
// otherwise (Qt does not tell).
int x11ScreenNumber();

// Qt's connection with the EWMH atoms, interned on first use; nullptr where
// there is no X11 connection or the atoms could not be had.
xcb_ewmh_connection_t* x11Ewmh();

}  // namespace volleon::qt

#endif
