#include "program_setup.h"

#include <QApplication>

#include "pictures.h"

namespace volleon::qt {

void prepareEnvironment() {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    // Scale factors given by hand would scale all the same.
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

void setUpApplication(QApplication& application) {
    QApplication::setApplicationName(QStringLiteral("Volleon"));
    QApplication::setDesktopFileName(QStringLiteral("volleon"));
    application.setWindowIcon(programIcon());
    // The program ends through the main window's end operation only, with
    // its own exit status.
    QApplication::setQuitOnLastWindowClosed(false);
}

}  // namespace volleon::qt
