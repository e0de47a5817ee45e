#include "win32_services.h"

#include "text.h"
#include "twips.h"

namespace volleon::win32 {

namespace {

core::Binding win32Binding(const Win32Services::Bindings& bindings) {
    const HINSTANCE instance = bindings.instance;
    const HWND score = bindings.scoreLabel;
    return core::Binding{
        .primaryScreen =
            [] {
                // The primary monitor's top-left corner is the desktop's origin.
                return core::ScreenArea{Twips::ofScreen(), 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN)};
            },
        .createPieceWindow =
            [instance](const design::WindowDesign& design) -> std::unique_ptr<core::PieceWindow> {
            return std::make_unique<PieceWindow>(design, instance);
        },
        .setScoreText = [score](const std::string& text) { SetWindowTextW(score, widen(text).c_str()); },
        .enableTimer = bindings.enableTimer,
        // Entries 0 to 255: the state of the keys as this thread's input
        // queue has seen them.
        .keyboardSnapshot = [](KeyStateBuffer& buffer) { GetKeyboardState(buffer.data()); },
        .closeProgram = bindings.closeProgram,
    };
}

}  // namespace

Win32Services::Win32Services(const Bindings& bindings) : DesktopServicesOf(win32Binding(bindings)) {}

}  // namespace volleon::win32
