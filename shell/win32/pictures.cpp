#include "pictures.h"

#include "resource_ids.h"

namespace volleon::win32 {

HICON programIcon(HINSTANCE instance, int size) {
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(VOLLEON_IDI_PROGRAM), IMAGE_ICON, size, size, LR_SHARED));
}

HCURSOR linkCursor(HINSTANCE instance) {
    return static_cast<HCURSOR>(
        LoadImageW(instance, MAKEINTRESOURCEW(VOLLEON_IDC_LINK), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

}  // namespace volleon::win32
