// Takes the README's screenshot: the control window beside a finished render window, grabbed
// from the whole screen (run it under Xvfb).
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>

#include <cstdio>

using namespace korvanta;

int main(int argc, char* argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    CFractalDlg dialog;
    dialog.show();
    dialog.move(520, 40);
    dialog.Edit(kIdXStart)->setText("-0.6");
    dialog.Edit(kIdXEnd)->setText("2.1");
    dialog.Edit(kIdYStart)->setText("-1.2");
    dialog.Edit(kIdYEnd)->setText("1.2");
    dialog.Edit(kIdWidth)->setText("480");
    dialog.Edit(kIdHeight)->setText("420");
    dialog.OnRender();
    if (dialog.RenderWindows().empty())
        return 1;
    CFractalWnd* window = dialog.RenderWindows().back();
    QElapsedTimer clock;
    clock.start();
    while (!window->Job().Finished() && clock.elapsed() < 60000)
        QApplication::processEvents();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, 0, 0, 1100, 500);
    return shot.save(argv[1]) ? 0 : 1;
}
