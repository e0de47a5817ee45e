#include "key_state_tracker.h"

#include <QGuiApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QWindow>

#include "layout_keys.h"
#include "virtual_keys.h"
#include "x11/x11_display.h"
#include "x11/x11_layout_keys.h"

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace volleon::qt {

namespace {

bool isValidCode(int virtualKey) { return virtualKey > 0 && virtualKey < 256; }

std::unique_ptr<X11LayoutKeys> x11Layout() {
#if QT_CONFIG(xcb)
    return X11LayoutKeys::create(x11Connection());
#else
    return nullptr;
#endif
}

}  // namespace

KeyStateTracker::KeyStateTracker(QObject* parent) : QObject(parent), layout_(x11Layout()) {
    QCoreApplication::instance()->installEventFilter(this);
    if (layout_) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

KeyStateTracker::~KeyStateTracker() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    QCoreApplication::instance()->removeEventFilter(this);
}

std::uint8_t KeyStateTracker::state(int virtualKey) const {
    return isValidCode(virtualKey) ? state_[static_cast<std::size_t>(virtualKey)] : 0;
}

void KeyStateTracker::snapshot(KeyStateBuffer& buffer) const {
    std::copy(state_.begin(), state_.end(), buffer.begin());
}

void KeyStateTracker::press(int virtualKey) {
    if (!isValidCode(virtualKey)) {
        return;
    }
    std::uint8_t& byte = state_[static_cast<std::size_t>(virtualKey)];
    byte = static_cast<std::uint8_t>((byte ^ kToggled) | kHeld);
}

void KeyStateTracker::release(int virtualKey) {
    if (!isValidCode(virtualKey)) {
        return;
    }
    std::uint8_t& byte = state_[static_cast<std::size_t>(virtualKey)];
    byte = static_cast<std::uint8_t>(byte & ~kHeld);
}

void KeyStateTracker::releaseAll() {
    for (std::uint8_t& byte : state_) {
        byte = static_cast<std::uint8_t>(byte & ~kHeld);
    }
    pressedByScanCode_.clear();
    layoutKeysDown_.clear();
}

bool KeyStateTracker::eventFilter(QObject* watched, QEvent* event) {
    // The application tells itself when none of its windows is active any
    // more; a key released after that never reaches it.
    if (event->type() == QEvent::ApplicationStateChange &&
        static_cast<const QApplicationStateChangeEvent&>(*event).applicationState() != Qt::ApplicationActive) {
        releaseAll();
        return false;
    }
    // A key event reaches the native window first and is then passed on to
    // the focus widget and its parents; counting it at the window counts it
    // once.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched->isWindowType()) {
        onKeyEvent(static_cast<const QKeyEvent&>(*event));
    }
    return false;
}

bool KeyStateTracker::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if QT_CONFIG(xcb)
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto type = event->response_type & 0x7f;
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        const auto* key = static_cast<const xcb_key_press_event_t*>(message);
        onLayoutKey(type == XCB_KEY_PRESS, key->detail, key->state);
    } else {
        layout_->noteEvent(message);
    }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

void KeyStateTracker::onLayoutKey(bool pressed, std::uint32_t keycode, std::uint16_t state) {
    const auto down = layoutKeysDown_.find(keycode);
    if (!pressed) {
        // The code it got when pressed, whatever the layout is now.
        if (down != layoutKeysDown_.end()) {
            release(down->second);
            layoutKeysDown_.erase(down);
        }
        return;
    }
    if (down != layoutKeysDown_.end()) {
        return;  // auto-repeat
    }
    if (const int code = layout_->codeOf(keycode, state); code != 0) {
        layoutKeysDown_.emplace(keycode, code);
        press(code);
    }
}

void KeyStateTracker::onKeyEvent(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return;
    }
    const quint32 scanCode = event.nativeScanCode();
    if (layout_ && event.type() == QEvent::KeyPress && layoutKeysDown_.contains(scanCode)) {
        return;  // counted from the X event
    }
    int code = virtualKeyCode(event.key(), event.modifiers());
    if (layout_ && isLayoutKeyCode(code) && layout_->ready()) {
        code = 0;  // these codes belong to the keys the layout gives them
    }
    if (event.type() == QEvent::KeyPress) {
        if (scanCode != 0 && isValidCode(code)) {
            pressedByScanCode_[scanCode] = code;
        }
        press(code);
        return;
    }
    if (scanCode != 0) {
        if (const auto found = pressedByScanCode_.find(scanCode); found != pressedByScanCode_.end()) {
            code = found->second;
            pressedByScanCode_.erase(found);
        }
    }
    release(code);
}

}  // namespace volleon::qt
