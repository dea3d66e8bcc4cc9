// One repaint of a 32000 x 32000 picture in its render window, headless: the window as the
// explorer opens it now (fitted to the screen, stretched) against a window at the picture's
// own size, as it used to open. Each case runs in a child process of its own so that its
// peak memory is its own; prints the time of one repaint and the peak resident memory.
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "ChildRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>

using namespace korvanta;

namespace {

constexpr int kSide = 32000;

// Renders nothing: the repaint of an unrendered picture reads the same number of pixels.
int RunCase(int argc, char** argv, bool pictureSize)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    CFractalDlg dialog;
    dialog.show();
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    dialog.Edit(kIdWidth)->setText(QString::number(kSide));
    dialog.Edit(kIdHeight)->setText(QString::number(kSide));
    dialog.OnRender();
    if (dialog.RenderWindows().empty()) {
        std::fprintf(stderr, "the picture could not be opened\n");
        return 1;
    }
    CFractalWnd* window = dialog.RenderWindows().back();
    if (pictureSize)
        window->resize(kSide, kSide);
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    window->repaint();
    const double ms = clock.nsecsElapsed() / 1e6;
    std::printf("%.1f %d %d\n", ms, window->width(), window->height());
    return 0;
}

struct Result {
    double ms = 0;
    int width = 0, height = 0;
    double peakMiB = 0;
};

Result Spawn(const char* which)
{
    const bench::ChildRun run = bench::RunSelf(which);
    Result r;
    std::sscanf(run.output.c_str(), "%lf %d %d", &r.ms, &r.width, &r.height);
    r.peakMiB = run.peakMiB;
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--fitted") == 0)
        return RunCase(argc, argv, false);
    if (argc > 1 && std::strcmp(argv[1], "--picture-size") == 0)
        return RunCase(argc, argv, true);

    std::printf("%d x %d picture, one repaint of its window (best of 3 runs each)\n", kSide, kSide);
    Result best[2];
    for (int run = 0; run < 3; ++run) {
        for (int c = 0; c < 2; ++c) {
            const Result r = Spawn(c == 0 ? "--fitted" : "--picture-size");
            if (run == 0 || r.ms < best[c].ms)
                best[c] = r;
        }
    }
    const char* names[] = {"fitted to the screen", "at the picture's size"};
    for (int c = 0; c < 2; ++c)
        std::printf("  %-22s %5d x %-5d  repaint %9.1f ms  peak memory %8.1f MiB\n", names[c],
                    best[c].width, best[c].height, best[c].ms, best[c].peakMiB);
    std::printf("picture-size window / fitted window: repaint %.0fx, peak memory %.1fx\n",
                best[1].ms / best[0].ms, best[1].peakMiB / best[0].peakMiB);
    return 0;
}
