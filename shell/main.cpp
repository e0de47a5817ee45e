// Volleon: a two-player bat-and-ball game on the whole desktop.
#include <QApplication>

#include "qt/display_failure.h"
#include "qt/game_fonts.h"
#include "qt/main_window.h"
#include "qt/program_setup.h"

int main(int argc, char* argv[]) {
    volleon::qt::prepareEnvironment();
    const volleon::qt::GameFonts fonts;
    volleon::qt::DisplayFailureExplainer explainer(argc, argv);
    QApplication application(argc, argv);
    explainer.started();
    volleon::qt::setUpApplication(application);

    volleon::qt::MainWindow form1;
    QObject::connect(&form1, &volleon::qt::MainWindow::programEnded, &application,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    form1.show();
    form1.activateWindow();
    return QApplication::exec();
}
