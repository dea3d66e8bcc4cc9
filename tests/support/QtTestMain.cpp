// Runs the GUI tests headless: one application for all of them, and the user's data (the
// desktop file, the wallpaper bitmap) in a folder of this process's own, removed at the end,
// so test processes running side by side never see each other's files.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Pictures step pixel by pixel, as the tests count ticks; the workers' own tests say
    // otherwise where they need them.
    qputenv("KORVANTA_SEQUENTIAL", "1");
    QTemporaryDir home(QDir::tempPath() + "/korvanta-gui-test-XXXXXX");
    if (!home.isValid())
        return 2;
    for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
        qputenv(variable, home.filePath(variable).toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName("korvanta-tests");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
