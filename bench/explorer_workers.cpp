// The explorer (offscreen, its own idle loop and look-ahead workers) against korvanta-render
// on the same pictures and the same number of threads: wall time to a finished picture.
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "tools/korvanta-render/RenderTool.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace korvanta;

namespace {

struct Picture {
    const char* name;
    const char* x0;
    const char* x1;
    const char* y0;
    const char* y1;
    int width, height, coloring;
    const char* colors;
};

double Explorer(QApplication& app, const Picture& p)
{
    CFractalDlg dialog;
    dialog.show();
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    qobject_cast<QComboBox*>(dialog.Control(kIdColoring))->setCurrentIndex(p.coloring);
    dialog.OnSelchangeColoring();
    dialog.Edit(kIdXStart)->setText(p.x0);
    dialog.Edit(kIdXEnd)->setText(p.x1);
    dialog.Edit(kIdYStart)->setText(p.y0);
    dialog.Edit(kIdYEnd)->setText(p.y1);
    dialog.Edit(kIdWidth)->setText(QString::number(p.width));
    dialog.Edit(kIdHeight)->setText(QString::number(p.height));
    dialog.Edit(kIdNumColors)->setText(p.colors);
    QElapsedTimer clock;
    clock.start();
    dialog.OnRender();
    CFractalWnd* window = dialog.RenderWindows().back();
    while (!window->Job().Finished())
        app.processEvents();
    return clock.nsecsElapsed() / 1e6;
}

double Tool(const Picture& p, const QString& output)
{
    const std::string area = std::string("--area=") + p.x0 + "," + p.x1 + "," + p.y0 + "," + p.y1;
    const std::string size = "--size=" + std::to_string(p.width) + "x" + std::to_string(p.height);
    const std::string coloring = "--coloring=" + std::to_string(p.coloring);
    const std::string colors = std::string("--colors=") + p.colors;
    const std::string out = output.toStdString();
    std::vector<std::string> args{"korvanta-render", "--quiet", "--no-aspect", area, size, coloring, colors, "-o", out};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    std::ostringstream sink;
    QElapsedTimer clock;
    clock.start();
    RunRenderTool(static_cast<int>(argv.size()), argv.data(), sink, sink);
    return clock.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    const Picture pictures[] = {
        {"Apfelmaenchen 400x400", "-2", "2", "-2", "2", 400, 400, 0, "2304"},
        {"full view 1280x960, 10000", "-0.6", "2.1", "-1.35", "1.35", 1280, 960, 2, "10000"},
    };
    std::printf("%-28s %12s %12s %7s   (best of 3, %d threads)\n", "picture", "explorer ms",
                "render ms", "ratio", QThread::idealThreadCount());
    for (const Picture& p : pictures) {
        double explorer = 1e300, tool = 1e300;
        for (int run = 0; run < 3; ++run) {
            explorer = std::min(explorer, Explorer(app, p));
            tool = std::min(tool, Tool(p, home.filePath("out.bmp")));
        }
        std::printf("%-28s %12.1f %12.1f %7.2f\n", p.name, explorer, tool, explorer / tool);
    }
    return 0;
}
