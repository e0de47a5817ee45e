#include "win32_services.h"

#include "text.h"
#include "twips.h"

namespace volleon::win32 {

Win32Services::Win32Services(Bindings bindings) : bindings_(std::move(bindings)) {}

Win32Services::~Win32Services() = default;

std::unique_ptr<core::PieceWindow> Win32Services::createPieceWindow(const design::WindowDesign& design) {
    return std::make_unique<PieceWindow>(design, bindings_.instance);
}

core::ScreenArea Win32Services::primaryScreen() const {
    // The primary monitor's top-left corner is the desktop's origin.
    return core::ScreenArea{Twips::ofScreen(), 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Services::setScoreText(const std::string& text) {
    SetWindowTextW(bindings_.scoreLabel, widen(text).c_str());
}

void Win32Services::enableTimer(Timer timer) { bindings_.enableTimer(timer); }

void Win32Services::keyboardSnapshot(KeyStateBuffer& buffer) {
    // Entries 0 to 255: the state of the keys as this thread's input queue
    // has seen them.
    GetKeyboardState(buffer.data());
}

void Win32Services::endProgram() { bindings_.endProgram(); }

}  // namespace volleon::win32
