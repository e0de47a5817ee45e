// The keyboard tick: each bat moves one step while its key is held, up
// winning over down, and Escape ends the program.
#include "arithmetic.h"
#include "game.h"

namespace volleon {

namespace {

// A key counts as held when its byte is above 1: a byte of 1 is only the
// toggle bit of a released key.
bool held(const KeyStateBuffer& keys, int code) { return keys[static_cast<std::size_t>(code)] > 1; }

void moveBat(Services& services, Piece bat, const KeyStateBuffer& keys, int upKey, int downKey) {
    double step = 0.0;
    if (held(keys, upKey)) {
        step = -kBatStep;
    } else if (held(keys, downKey)) {
        step = kBatStep;
    } else {
        return;
    }
    services.setTop(bat, arithmetic::toSingle(static_cast<double>(services.top(bat)) + step));
}

}  // namespace

void Game::timerKbrd_Timer() {
    services_.keyboardSnapshot(KeyState);
    moveBat(services_, Piece::RightBat, KeyState, kKeyApostrophe, kKeySlash);
    moveBat(services_, Piece::LeftBat, KeyState, kKeyA, kKeyZ);
    if (held(KeyState, kKeyEscape)) {
        services_.endProgram();
    }
}

void Game::cmdKbrdTest_Click() { services_.keyboardSnapshot(KeyState); }

}  // namespace volleon
