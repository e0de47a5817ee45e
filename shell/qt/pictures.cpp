#include "pictures.h"

#include "shell/design/designs.h"

namespace volleon::qt {

namespace {
#include "shell/pictures/url_cursor.xpm"
#include "shell/pictures/volleon.xpm"
}  // namespace

QPixmap iconPixmap() { return QPixmap(volleon_icon_xpm); }

QIcon programIcon() { return QIcon(iconPixmap()); }

QCursor linkCursor() {
    return QCursor(QPixmap(url_cursor_xpm), design::kLinkCursorHotSpot.x, design::kLinkCursorHotSpot.y);
}

}  // namespace volleon::qt
