// Volleon: a two-player bat-and-ball game on the whole desktop.
#include <QApplication>
#include <cstdio>

#include "qt/display_check.h"
#include "qt/game_fonts.h"
#include "qt/main_window.h"
#include "qt/program_setup.h"

int main(int argc, char* argv[]) {
    volleon::qt::prepareEnvironment();
    if (const auto problem = volleon::qt::displayProblem(argc, argv)) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return 1;
    }
    volleon::qt::useGameFontsOnly();
    QApplication application(argc, argv);
    volleon::qt::setUpApplication(application);

    volleon::qt::MainWindow form1;
    QObject::connect(&form1, &volleon::qt::MainWindow::programEnded, &application,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    form1.show();
    form1.activateWindow();
    return QApplication::exec();
}
