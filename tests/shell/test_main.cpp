// Widget tests run on Qt's offscreen platform inside one QApplication,
// prepared the way the program prepares its own.
#include <gtest/gtest.h>

#include <QApplication>

#include "shell/qt/game_fonts.h"
#include "shell/qt/program_setup.h"

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    volleon::qt::prepareEnvironment();
    const volleon::qt::GameFonts fonts;
    QApplication application(argc, argv);
    volleon::qt::setUpApplication(application);
    return RUN_ALL_TESTS();
}
