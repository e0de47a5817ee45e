#include "key_state_tracker.h"

#include <QGuiApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QWindow>

#include "virtual_keys.h"

namespace volleon::qt {

namespace {

bool isValidCode(int virtualKey) { return virtualKey > 0 && virtualKey < 256; }

}  // namespace

KeyStateTracker::KeyStateTracker(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyStateTracker::~KeyStateTracker() { QCoreApplication::instance()->removeEventFilter(this); }

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

void KeyStateTracker::onKeyEvent(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return;
    }
    const quint32 scanCode = event.nativeScanCode();
    int code = virtualKeyCode(event.key(), event.modifiers());
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
