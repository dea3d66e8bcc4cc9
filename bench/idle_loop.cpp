// A 400 x 400 Mandelbrot at limit 2304 rendered by the explorer itself: the real control
// dialog, Render, and the idle loop, headless. Prints the time to finish against the same
// picture computed without the render machinery (the formula and coloring objects in a plain
// loop, and a bare loop), and the longest wait of an input event while pictures render.
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "InputProbe.h"
#include "PlainMandelbrot.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>

#include <chrono>
#include <cstdio>
#include <memory>

using namespace korvanta;

namespace {

CFractalWnd* StartRender(CFractalDlg& dialog, const bench::PlainScene& s)
{
    dialog.Edit(kIdXStart)->setText(QString::number(s.xStart));
    dialog.Edit(kIdXEnd)->setText(QString::number(s.xEnd));
    dialog.Edit(kIdYStart)->setText(QString::number(s.yStart));
    dialog.Edit(kIdYEnd)->setText(QString::number(s.yEnd));
    dialog.Edit(kIdWidth)->setText(QString::number(s.size));
    dialog.Edit(kIdHeight)->setText(QString::number(s.size));
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    dialog.OnRender();
    return dialog.RenderWindows().back();
}

double RenderSeconds(CFractalDlg& dialog, const bench::PlainScene& s)
{
    QElapsedTimer clock;
    clock.start();
    CFractalWnd* window = StartRender(dialog, s);
    while (!window->Job().Finished())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = clock.nsecsElapsed() / 1e9;
    window->close();
    return seconds;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const bench::PlainScene scene;

    std::vector<std::uint32_t> counts, pixels;
    double plain = 1e9, formula = 1e9, idle = 1e9;
    std::uint64_t iterations = 0;
    CFractalDlg dialog;
    dialog.show();
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        iterations = bench::PlainMandelbrot(scene, counts);
        const auto middle = std::chrono::steady_clock::now();
        bench::FormulaLoop(scene, pixels);
        const auto end = std::chrono::steady_clock::now();
        plain = std::min(plain, std::chrono::duration<double>(middle - start).count());
        formula = std::min(formula, std::chrono::duration<double>(end - middle).count());
        idle = std::min(idle, RenderSeconds(dialog, scene));
    }
    std::printf("Mandelbrot %dx%d, limit %u, %llu iterations\n", scene.size, scene.size,
                scene.limit, static_cast<unsigned long long>(iterations));
    std::printf("bare loop:             %8.1f ms\n", plain * 1e3);
    std::printf("formula loop:          %8.1f ms\n", formula * 1e3);
    std::printf("explorer's idle loop:  %8.1f ms\n", idle * 1e3);
    std::printf("ratio idle / formula loop: %.3f (target <= 1.10)\n", idle / formula);
    std::printf("ratio idle / bare loop:    %.3f\n", idle / plain);

    // Input from another thread every 2 ms while three pictures render at once.
    bench::InputProbe probe;
    auto sender = std::make_unique<bench::InputSender>(probe, std::chrono::milliseconds(2));
    std::vector<CFractalWnd*> windows;
    for (int i = 0; i < 3; ++i)
        windows.push_back(StartRender(dialog, scene));
    auto allDone = [&] {
        for (CFractalWnd* w : windows)
            if (!w->Job().Finished())
                return false;
        return true;
    };
    while (!allDone())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    sender.reset();
    QApplication::processEvents();
    std::printf("input events handled while 3 pictures rendered: %d\n", probe.handled);
    std::printf("longest wait of an input event: %.1f ms (target <= 50)\n",
                probe.longestWaitNs / 1e6);
    return 0;
}
