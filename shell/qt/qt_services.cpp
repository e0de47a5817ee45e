#include "qt_services.h"

#include <QLabel>
#include <QTimer>

#include "qt_text.h"

namespace volleon::qt {

QtServices::QtServices(Bindings bindings) : bindings_(std::move(bindings)) {}

QtServices::~QtServices() = default;

std::unique_ptr<core::PieceWindow> QtServices::createPieceWindow(const design::WindowDesign& design) {
    return std::make_unique<PieceWindow>(design, Twips::ofPrimaryScreen());
}

core::ScreenArea QtServices::primaryScreen() const { return primaryScreenArea(); }

void QtServices::setScoreText(const std::string& text) { bindings_.scoreLabel.setText(toQString(text)); }

void QtServices::enableTimer(Timer timer) {
    // Enabling a running timer leaves its countdown alone.
    QTimer& qtimer = timer == Timer::Ball ? bindings_.ballTimer : bindings_.keyboardTimer;
    if (!qtimer.isActive()) {
        qtimer.start();
    }
}

void QtServices::keyboardSnapshot(KeyStateBuffer& buffer) { bindings_.keys.snapshot(buffer); }

void QtServices::endProgram() { bindings_.endProgram(); }

}  // namespace volleon::qt
