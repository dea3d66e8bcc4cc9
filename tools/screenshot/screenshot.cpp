// Takes the README's screenshots: the control window beside a finished render window, the
// same at a deep location, or beside the user guide, grabbed from the whole screen (run it
// under Xvfb with a window manager, as tools/screenshot.sh does, for frames and titles).
#include "core/deep/DeepLocation.h"
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/Help.h"

#include <QApplication>
#include <QCheckBox>
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

// The window manager maps and frames windows in its own time.
void Settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 700)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
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

// Renders the fields as they stand into a window of the given size; false if none came.
bool RenderAndWait(CFractalDlg& dialog, int width, int height)
{
    dialog.Edit(kIdWidth)->setText(QString::number(width));
    dialog.Edit(kIdHeight)->setText(QString::number(height));
    dialog.OnRender();
    if (dialog.RenderWindows().empty())
        return false;
    CFractalWnd* window = dialog.RenderWindows().back();
    QElapsedTimer clock;
    clock.start();
    while (!window->Job().Finished() && clock.elapsed() < 120000)
        QApplication::processEvents();
    Settle();
    return true;
}

// A published location 8e-114 high, with its values panel: the long texts in the fields.
int DeepShot(CFractalDlg& dialog, const char* output)
{
    dialog.move(560, 40);
    auto* formulas = qobject_cast<QComboBox*>(dialog.Control(kIdFormula));
    formulas->setCurrentIndex(0);
    dialog.OnSelchangeAlgorithm();
    auto* colorings = qobject_cast<QComboBox*>(dialog.Control(kIdColoring));
    colorings->setCurrentIndex(colorings->findText("RGB"));
    dialog.OnSelchangeColoring();
    dialog.Edit(kIdNumColors)->setText("35494");
    qobject_cast<QCheckBox*>(dialog.Control(kIdShowValues))->setChecked(true);
    const char* re = "1.47981577613247326072298452597877854692240725774045369689878510139864920741002293820250517"
                     "329282011227363313053159203914640783415609608168660705123082446357179491909705403381200";
    const char* im = "0.00063911193261361727152139632255671572957303918943984736047394936471220951961813321928573"
                     "067036466151147195436388486168819318341208023229522609015461543581599807510715681229605";
    const auto area = AreaAroundCentre(re, im, "4e-114", 520, 390);
    if (!area)
        return 1;
    dialog.Edit(kIdXStart)->setText(QString::fromStdString(area->xStart));
    dialog.Edit(kIdXStart)->setCursorPosition(0);
    dialog.Edit(kIdXEnd)->setText(QString::fromStdString(area->xEnd));
    dialog.Edit(kIdXEnd)->setCursorPosition(0);
    dialog.Edit(kIdYStart)->setText(QString::fromStdString(area->yStart));
    dialog.Edit(kIdYStart)->setCursorPosition(0);
    dialog.Edit(kIdYEnd)->setText(QString::fromStdString(area->yEnd));
    dialog.Edit(kIdYEnd)->setCursorPosition(0);
    if (!RenderAndWait(dialog, 520, 390))
        return 1;
    dialog.RenderWindows().back()->move(10, 40);
    Settle();
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0, 0, 0, 1180, 480);
    return shot.save(output) ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const bool help = argc == 3 && std::strcmp(argv[1], "--help-window") == 0;
    const bool deep = argc == 3 && std::strcmp(argv[1], "--deep") == 0;
    if (argc < 2 || (argc == 3 && !help && !deep)) {
        std::fprintf(stderr, "usage: %s [--help-window | --deep] OUTPUT.png\n", argv[0]);
        return 2;
    }
    CFractalDlg dialog;
    dialog.show();
    if (help)
        return HelpShot(dialog, argv[2]);
    if (deep)
        return DeepShot(dialog, argv[2]);
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
