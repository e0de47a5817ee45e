#include "qt_services.h"

#include <QLabel>
#include <QTimer>

#include "qt_text.h"

namespace volleon::qt {

namespace {

core::Binding qtBinding(const QtServices::Bindings& bindings) {
    QLabel* score = &bindings.scoreLabel;
    QTimer* ballTimer = &bindings.ballTimer;
    QTimer* keyboardTimer = &bindings.keyboardTimer;
    KeyStateTracker* keys = &bindings.keys;
    return core::Binding{
        .primaryScreen = [] { return primaryScreenArea(); },
        .createPieceWindow =
            [](const design::WindowDesign& design) -> std::unique_ptr<core::PieceWindow> {
            return std::make_unique<PieceWindow>(design, Twips::ofPrimaryScreen());
        },
        .setScoreText = [score](const std::string& text) { score->setText(toQString(text)); },
        .enableTimer =
            [ballTimer, keyboardTimer](Timer timer) {
                // Enabling a running timer leaves its countdown alone.
                QTimer* qtimer = timer == Timer::Ball ? ballTimer : keyboardTimer;
                if (!qtimer->isActive()) {
                    qtimer->start();
                }
            },
        .keyboardSnapshot = [keys](KeyStateBuffer& buffer) { keys->snapshot(buffer); },
        .closeProgram = bindings.closeProgram,
    };
}

}  // namespace

QtServices::QtServices(const Bindings& bindings) : DesktopServicesOf(qtBinding(bindings)) {}

}  // namespace volleon::qt
