// Saving and restoring a desktop of four 4000 x 3000 pictures through the explorer's own
// control window, headless. Each step runs in a child process of its own, so its peak memory
// is its own; the pictures alone take 4 x 48 MB. Prints the time and the peak resident
// memory of each step against the memory of the pictures themselves.
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/AppPaths.h"
#include "ChildRun.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>

#include <cstdio>
#include <cstring>

using namespace korvanta;

namespace {

constexpr int kWindows = 4, kWidth = 4000, kHeight = 3000;

// Four finished pictures (filled with a pattern rather than rendered, which would take
// minutes), saved as the desktop on exit.
int Save(QApplication&)
{
    CFractalDlg dialog;
    dialog.show();
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    dialog.Edit(kIdWidth)->setText(QString::number(kWidth));
    dialog.Edit(kIdHeight)->setText(QString::number(kHeight));
    for (int i = 0; i < kWindows; ++i) {
        dialog.OnRender();
        RenderJob& job = dialog.RenderWindows().back()->Job();
        for (std::size_t p = 0; p < job.Pixels().size(); ++p)
            job.Pixels().data()[p] = static_cast<std::uint32_t>(p * 2654435761u) & 0xFFFFFF;
        job.SetPosition(0, kHeight);
    }
    qobject_cast<QCheckBox*>(dialog.Control(kIdDesktop))->setChecked(true);
    QElapsedTimer clock;
    clock.start();
    dialog.reject();
    std::printf("%.1f\n", clock.nsecsElapsed() / 1e6);
    return 0;
}

int Restore(QApplication&)
{
    QElapsedTimer clock;
    clock.start();
    CFractalDlg dialog;
    const double ms = clock.nsecsElapsed() / 1e6;
    if (dialog.RenderWindows().size() != std::size_t(kWindows)) {
        std::fprintf(stderr, "restored %zu windows\n", dialog.RenderWindows().size());
        return 1;
    }
    std::printf("%.1f\n", ms);
    return 0;
}

struct Step {
    double ms = 0, peakMiB = 0;
};

Step Spawn(const char* which)
{
    const bench::ChildRun run = bench::RunSelf(which);
    return {std::atof(run.output.c_str()), run.peakMiB};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        if (std::strcmp(argv[1], "--save") == 0)
            return Save(app);
        if (std::strcmp(argv[1], "--restore") == 0)
            return Restore(app);
        CFractalDlg empty;  // the baseline
        return 0;
    }
    // A desktop of its own, not the user's.
    const QString home = QDir::tempPath() + "/korvanta-bench-desktop";
    qputenv("XDG_DATA_HOME", home.toLocal8Bit());
    QDir(home).removeRecursively();
    const Step baseline = Spawn("--none");  // a control window alone, nothing to restore yet
    const Step save = Spawn("--save");
    const Step restore = Spawn("--restore");
    const double pictures = kWindows * double(kWidth) * kHeight * 4 / (1 << 20);
    std::printf("%d windows of %d x %d: pictures %.1f MiB, desktop file %.1f MiB\n", kWindows,
                kWidth, kHeight, pictures,
                QFileInfo(home + "/korvanta/Korvanta.dsk").size() / double(1 << 20));
    std::printf("  save     %8.1f ms  peak memory %7.1f MiB\n", save.ms, save.peakMiB);
    std::printf("  restore  %8.1f ms  peak memory %7.1f MiB\n", restore.ms, restore.peakMiB);
    std::printf("  (an empty control window: peak memory %.1f MiB)\n", baseline.peakMiB);
    std::printf("peak beyond the empty window / pictures: save %.2f, restore %.2f\n",
                (save.peakMiB - baseline.peakMiB) / pictures,
                (restore.peakMiB - baseline.peakMiB) / pictures);
    QDir(home).removeRecursively();
    return 0;
}
