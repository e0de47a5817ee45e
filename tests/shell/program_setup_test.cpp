#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "shell/qt/game_fonts.h"
#include "shell/qt/program_setup.h"

namespace volleon::qt {
namespace {

// Sets or clears environment variables for one test and puts them back.
class Environment {
public:
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                qputenv(name.constData(), *value);
            } else {
                qunsetenv(name.constData());
            }
        }
    }
    void set(const char* name, std::optional<QByteArray> value) {
        if (!saved_.contains(name)) {
            saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        }
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
    }

private:
    std::map<QByteArray, std::optional<QByteArray>> saved_;
};

TEST(ProgramSetup, OneDevicePixelIsOnePixelOfTheDesign) {
    Environment environment;
    environment.set("QT_ENABLE_HIGHDPI_SCALING", "1");
    environment.set("QT_SCALE_FACTOR", "2");
    environment.set("QT_SCREEN_SCALE_FACTORS", "1.5");
    prepareEnvironment();
    EXPECT_EQ(qgetenv("QT_ENABLE_HIGHDPI_SCALING"), "0");
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS"));
}

TEST(ProgramSetup, AWaylandSessionRunsThroughXWayland) {
    Environment environment;
    environment.set("WAYLAND_DISPLAY", "wayland-0");
    environment.set("QT_QPA_PLATFORM", std::nullopt);
    prepareEnvironment();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "xcb");
}

TEST(ProgramSetup, APlatformTheUserChoseStays) {
    Environment environment;
    environment.set("WAYLAND_DISPLAY", "wayland-0");
    environment.set("QT_QPA_PLATFORM", "wayland");
    prepareEnvironment();
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "wayland");
}

TEST(ProgramSetup, WithoutWaylandThePlatformIsLeftToQt) {
    Environment environment;
    environment.set("WAYLAND_DISPLAY", std::nullopt);
    environment.set("QT_QPA_PLATFORM", std::nullopt);
    prepareEnvironment();
    EXPECT_FALSE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"));
}

TEST(ProgramSetup, TheToolkitSeesOnlyTheGameFonts) {
    // The test's main set the fonts up as the program does. The machine that
    // runs the tests has more fonts installed than the game's family (at
    // least the rest of fonts-liberation), and all of them would be listed
    // here had the toolkit read the desktop's whole font set.
    QStringList families = QFontDatabase::families();
    // The generic families the toolkit itself always lists.
    for (const char* generic : {"Serif", "Sans Serif", "Monospace"}) {
        families.removeAll(QString::fromLatin1(generic));
    }
    EXPECT_EQ(families, QStringList{QStringLiteral("Liberation Sans")});
    QStringList styles = QFontDatabase::styles(QStringLiteral("Liberation Sans"));
    styles.sort();
    EXPECT_EQ(styles, (QStringList{QStringLiteral("Bold"), QStringLiteral("Regular")}));
}

TEST(ProgramSetup, TheGameFontsAreBothFacesOrNone) {
    // Font folders as fontconfig lists them, with the faces they hold; the
    // configuration is made only where regular and bold are both found.
    struct Row {
        const char* what;
        std::vector<std::string> files;
        const char* found;  // the folder below the font folder, or nothing
    };
    const Row rows[] = {
        {"Debian", {"truetype/liberation/LiberationSans-Regular.ttf", "truetype/liberation/LiberationSans-Bold.ttf"},
         "truetype/liberation"},
        {"Debian's second version", {"truetype/liberation2/LiberationSans-Regular.ttf",
                                     "truetype/liberation2/LiberationSans-Bold.ttf"}, "truetype/liberation2"},
        {"regular alone", {"truetype/liberation/LiberationSans-Regular.ttf"}, nullptr},
        {"faces in two folders", {"truetype/liberation/LiberationSans-Regular.ttf",
                                  "truetype/liberation2/LiberationSans-Bold.ttf"}, nullptr},
        {"no fonts", {}, nullptr},
    };
    for (const Row& row : rows) {
        QTemporaryDir fonts;
        const std::filesystem::path top = fonts.path().toStdString();
        for (const std::string& file : row.files) {
            std::filesystem::create_directories((top / file).parent_path());
            std::ofstream(top / file) << "font";
        }
        std::vector<std::string> expected;
        if (row.found != nullptr) {
            expected = {(top / row.found / "LiberationSans-Regular.ttf").string(),
                        (top / row.found / "LiberationSans-Bold.ttf").string()};
        }
        EXPECT_EQ(gameFontFiles({(top / "missing").string(), top.string()}), expected) << row.what;
    }
}

TEST(ProgramSetup, ClosingTheLastWindowLeavesTheExitToTheProgram) {
    // setUpApplication ran in the test's main.
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Volleon"));
}

}  // namespace
}  // namespace volleon::qt
