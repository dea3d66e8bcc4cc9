// Takes the README's screenshot: the control window beside a finished render window, grabbed
// from the whole screen (run it under Xvfb).
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/Help.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>

using namespace korvanta;

namespace {

void Settle()
{
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

// The control window beside the user guide.
int HelpShot(CFractalDlg& dialog, const char* output)
{
    SetHelpFolder(KORVANTA_HELP_DIR);
    dialog.move(20, 40);
    dialog.OnHelp();
    QWidget* guide = LastHelpWindow();
    if (!guide)
        return 1;
    guide->setGeometry(600, 40, 660, 600);
    Settle();
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, 0, 0, 1280, 680);
    return shot.save(output) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const bool help = argc == 3 && std::strcmp(argv[1], "--help-window") == 0;
    if (argc < 2 || (argc == 3 && !help)) {
        std::fprintf(stderr, "usage: %s [--help-window] OUTPUT.png\n", argv[0]);
        return 2;
    }
    CFractalDlg dialog;
    dialog.show();
    if (help)
        return HelpShot(dialog, argv[2]);
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
    Settle();
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, 0, 0, 1100, 500);
    return shot.save(argv[1]) ? 0 : 1;
}
