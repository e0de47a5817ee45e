#include "shell/core/home_page.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

namespace volleon::core {
namespace {

// A program folder bin/ beside share/volleon/, under a folder whose name
// needs percent-encoding in a URL.
class HomePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir dir(root_.path());
        ASSERT_TRUE(dir.mkpath(QStringLiteral("home p\u00e4ge/bin")));
        ASSERT_TRUE(dir.mkpath(QStringLiteral("home p\u00e4ge/share/volleon")));
        programFolder_ = QFile::encodeName(dir.filePath(QStringLiteral("home p\u00e4ge/bin"))).toStdString();
        page_ = dir.filePath(QStringLiteral("home p\u00e4ge/share/volleon/index.html"));
    }

    void writePage() {
        QFile file(page_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }

    QTemporaryDir root_;
    std::string programFolder_;
    QString page_;
};

TEST_F(HomePageTest, TheShippedPageOpensAsAFileUrlOfItsRealPath) {
    writePage();
    const QString expected = QString::fromLatin1(
        QUrl::fromLocalFile(QDir(page_).canonicalPath()).toEncoded());
    EXPECT_EQ(QString::fromStdString(homePageAddress("", "../share/volleon/index.html", programFolder_)),
              expected);
}

TEST_F(HomePageTest, AMissingPageOpensNothing) {
    EXPECT_EQ(homePageAddress("", "../share/volleon/index.html", programFolder_), "");
}

TEST_F(HomePageTest, AWebAddressChosenAtBuildTimeWinsOverThePage) {
    writePage();
    EXPECT_EQ(homePageAddress("https://games.example/volleon/", "../share/volleon/index.html", programFolder_),
              "https://games.example/volleon/");
}

}  // namespace
}  // namespace volleon::core
