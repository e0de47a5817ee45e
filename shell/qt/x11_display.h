// The X11 display that Qt's xcb platform has opened, for the few requests
// Qt does not make itself.
#pragma once

#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

namespace volleon::qt {

// Qt's connection, or nullptr on another platform (offscreen included).
xcb_connection_t* x11Connection();

// The screen the program uses: the one DISPLAY names, screen 0 unless it says
// otherwise (Qt does not tell).
int x11ScreenNumber();
xcb_window_t x11Root(xcb_connection_t* connection);

// The atom of that name; with onlyIfExists, XCB_ATOM_NONE where no client has
// made it yet.
xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name, bool onlyIfExists = false);

}  // namespace volleon::qt

#endif
