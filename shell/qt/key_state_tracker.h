// The program's own keyboard state, built from the key events its windows
// receive: one byte per virtual-key code, bit 7 set while the key is held and
// bit 0 flipped on every press. Auto-repeat is ignored, and every key counts
// as released once the program is no longer the active application.
#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <unordered_map>

#include "game/services.h"

class QKeyEvent;

namespace volleon::qt {

class KeyStateTracker : public QObject {
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

private:
    void onKeyEvent(const QKeyEvent& event);

    std::array<std::uint8_t, 256> state_{};
    // The code each physical key (native scan code) got when pressed, so its
    // release clears the same code even if Shift changed in between.
    std::unordered_map<quint32, int> pressedByScanCode_;
};

}  // namespace volleon::qt
