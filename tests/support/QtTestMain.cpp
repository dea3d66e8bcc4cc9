// Runs the GUI tests headless: one application for all of them, and user data in a
// throw-away test location.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName("korvanta-tests");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
