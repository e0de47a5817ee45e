// The program's pictures, compiled in from the XPM files under pictures/.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace volleon::qt {

// 16 x 16 smiling face: the main window's and the application's icon.
QPixmap iconPixmap();
QIcon programIcon();
// 32 x 32 arrow with a box, shown over the home-page link.
QCursor linkCursor();

}  // namespace volleon::qt
