// The program's own keyboard state, built from the key events its windows
// receive: one byte per virtual-key code, bit 7 set while the key is held and
// bit 0 flipped on every press. Auto-repeat is ignored, and every key counts
// as released once the program is no longer the active application.
//
// On X11 the five keys the rules read are told by their place in the active
// keyboard layout (see layout_keys.h) and counted from the X events
// themselves, so that a key counts while it is down even where an input
// method keeps its press from the toolkit (a dead key, with some input
// methods). Elsewhere, and for the other keys, the toolkit's key decides the
// code.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <array>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "game/services.h"

class QKeyEvent;

namespace volleon::qt {

class X11LayoutKeys;

class KeyStateTracker : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    static constexpr std::uint8_t kHeld = 0x80;
    static constexpr std::uint8_t kToggled = 0x01;

    // Watches every key event of the application until destroyed.
    explicit KeyStateTracker(QObject* parent = nullptr);
    ~KeyStateTracker() override;

    std::uint8_t state(int virtualKey) const;
    // Writes entries 0 to 255; entry 256 stays as it is.
    void snapshot(KeyStateBuffer& buffer) const;

    void press(int virtualKey);
    void release(int virtualKey);
    // Clears the held bit of every key; toggle bits stay.
    void releaseAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void onKeyEvent(const QKeyEvent& event);
    void onLayoutKey(bool pressed, std::uint32_t keycode, std::uint16_t state);

    std::array<std::uint8_t, 256> state_{};
    // The code each physical key (native scan code) got when pressed, so its
    // release clears the same code even if Shift changed in between.
    std::unordered_map<quint32, int> pressedByScanCode_;
    // On X11: the layout, and the keys down that carry one of its codes.
    std::unique_ptr<X11LayoutKeys> layout_;
    std::unordered_map<std::uint32_t, int> layoutKeysDown_;
};

}  // namespace volleon::qt
