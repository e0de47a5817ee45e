// The frame a window manager puts around a top-level window, learnt before
// the window is first shown. On X11 a window's frame is otherwise known only
// once the window manager has mapped it, too late to place the window by its
// outer size.
#pragma once

#include <QMargins>
#include <chrono>
#include <functional>
#include <optional>

class QWidget;

namespace volleon::qt {

// For a top-level window that has not been shown yet: where an EWMH window
// manager runs that answers _NET_REQUEST_FRAME_EXTENTS, asks it for the frame
// it would give the window and waits at most `patience` for the answer in
// _NET_FRAME_EXTENTS. Nothing when no such window manager runs (then there
// is no wait), when it does not answer in time, and on other platforms.
std::optional<QMargins> frameExtentsBeforeShow(const QWidget& window,
                                               std::chrono::milliseconds patience = std::chrono::milliseconds(500));

// For a window whose frame was not learnt before it was shown: calls
// `arrived` once, from the event loop, with the frame the window manager
// gives it when it first tells it (_NET_FRAME_EXTENTS on the window). That
// is when the window manager takes the window in, before anyone can have
// moved it. Does nothing on other platforms; the watch ends with the window.
void onFrameArrival(QWidget& window, std::function<void(QMargins)> arrived);

// The window's outer width in pixels: what Qt reports once the window is
// shown, and before that its width with the frame learnt beforehand.
int outerWidthPixels(const QWidget& window, const std::optional<QMargins>& frameBeforeShow);

}  // namespace volleon::qt
