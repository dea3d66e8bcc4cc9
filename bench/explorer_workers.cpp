// The explorer (offscreen, its own idle loop and look-ahead workers) against korvanta-render
// on the same pictures and the same number of threads: wall time to a finished picture, and
// the longest wait of an input event posted every 2 ms while the explorer renders (while a
// deep picture's reference orbits are computed, and while its rows are).
#include "InputProbe.h"
#include "core/deep/DeepLocation.h"
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
    std::string name, x0, x1, y0, y1;
    int width, height, coloring;
    const char* colors;
};

struct ExplorerRun {
    double ms = 0, firstRowMs = 0, referenceWaitMs = 0, rowsWaitMs = 0;
};

ExplorerRun Explorer(QApplication& app, const Picture& p)
{
    CFractalDlg dialog;
    dialog.show();
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    qobject_cast<QComboBox*>(dialog.Control(kIdColoring))->setCurrentIndex(p.coloring);
    dialog.OnSelchangeColoring();
    dialog.Edit(kIdXStart)->setText(QString::fromStdString(p.x0));
    dialog.Edit(kIdXEnd)->setText(QString::fromStdString(p.x1));
    dialog.Edit(kIdYStart)->setText(QString::fromStdString(p.y0));
    dialog.Edit(kIdYEnd)->setText(QString::fromStdString(p.y1));
    dialog.Edit(kIdWidth)->setText(QString::number(p.width));
    dialog.Edit(kIdHeight)->setText(QString::number(p.height));
    dialog.Edit(kIdNumColors)->setText(p.colors);
    bench::InputProbe probe;
    QElapsedTimer clock;
    clock.start();
    dialog.OnRender();
    CFractalWnd* window = dialog.RenderWindows().back();
    // Input from here on waits for rendering only.
    const bench::InputSender sender(probe, std::chrono::milliseconds(2));
    ExplorerRun run;
    while (!window->Job().Finished()) {
        app.processEvents();
        if (run.firstRowMs == 0 && window->Job().Row() > 0) {
            run.firstRowMs = clock.nsecsElapsed() / 1e6;
            run.referenceWaitMs = probe.longestWaitNs / 1e6;
            probe.longestWaitNs = 0;
        }
    }
    run.ms = clock.nsecsElapsed() / 1e6;
    run.rowsWaitMs = probe.longestWaitNs / 1e6;
    return run;
}

double Tool(const Picture& p, const QString& output)
{
    const std::string area = "--area=" + p.x0 + "," + p.x1 + "," + p.y0 + "," + p.y1;
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
    // The published 5e113 location (mirrored for this program's set), 4e-100 high.
    const auto deep = AreaAroundCentre(
        "1.47981577613247326072298452597877854692240725774045369689878510139864920741002293820250517329282011227"
        "363313053159203914640783415609608168660705123082446357179491909705403381200",
        "0.00063911193261361727152139632255671572957303918943984736047394936471220951961813321928573067036466151"
        "147195436388486168819318341208023229522609015461543581599807510715681229605",
        "2e-100", 800, 600);
    const Picture pictures[] = {
        {"Apfelmaenchen 400x400", "-2", "2", "-2", "2", 400, 400, 0, "2304"},
        {"full view 1280x960, 10000", "-0.6", "2.1", "-1.35", "1.35", 1280, 960, 2, "10000"},
        {"deep 4e-100 800x600, 35494", deep->xStart, deep->xEnd, deep->yStart, deep->yEnd, 800, 600, 2, "35494"},
    };
    std::printf("%-28s %12s %12s %7s %14s %14s   (best of 3, %d threads)\n", "picture", "explorer ms", "render ms",
                "ratio", "wait: before", "during rows", QThread::idealThreadCount());
    for (const Picture& p : pictures) {
        double tool = 1e300;
        ExplorerRun explorer{1e300};
        for (int run = 0; run < 3; ++run) {
            const ExplorerRun next = Explorer(app, p);
            if (next.ms < explorer.ms)
                explorer = next;
            tool = std::min(tool, Tool(p, home.filePath("out.bmp")));
        }
        std::printf("%-28s %12.1f %12.1f %7.2f %11.1f ms %11.1f ms   (first row after %.1f ms)\n", p.name.c_str(),
                    explorer.ms, tool, explorer.ms / tool, explorer.referenceWaitMs, explorer.rowsWaitMs,
                    explorer.firstRowMs);
    }
    return 0;
}
