// How late a macro's events are delivered while pictures render: a 1000-event macro (mouse
// moves over the control window, 10 ms apart as recorded, so 5 ms apart when played) plays
// while three pictures grow. Prints the median and the worst delay between an event's due
// time and its delivery.
#include "core/files/MacroFile.h"
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/MacroEngine.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

using namespace korvanta;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    CFractalDlg dialog;
    dialog.show();
    app.processEvents();

    constexpr int kEvents = 1000;
    const QString path = home.filePath("bench.frm");
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        const QRect frame = dialog.frameGeometry();
        WriteMacroHeader(out, {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1, 5, 5});
        const QPoint base = dialog.mapToGlobal(QPoint(4, 4));
        for (int i = 0; i < kEvents; ++i)
            WriteMacroEvent(out, {macro::kMouseMove, std::uint32_t(base.x() + i % 7),
                                  std::uint32_t(base.y() + i % 5), std::uint32_t(10 * i), 0});
    }

    auto play = [&](const char* what) {
        std::vector<double> delays;
        QElapsedTimer clock;
        auto connection = QObject::connect(&dialog.Macros(), &MacroEngine::eventPlayed,
                                           [&](const MacroEvent& event, qint64) {
            delays.push_back(clock.nsecsElapsed() / 1e6 - macro::PlaybackTime(event.time));
        });
        clock.start();
        dialog.PlayMacroFile(path);
        while (dialog.Macros().CurrentState() == MacroEngine::State::Playing)
            app.processEvents(QEventLoop::WaitForMoreEvents);
        QObject::disconnect(connection);
        std::sort(delays.begin(), delays.end());
        std::printf("%-28s %zu events, delay after the due time: median %.2f ms, worst %.2f ms\n",
                    what, delays.size(), delays[delays.size() / 2], delays.back());
        return delays[delays.size() / 2];
    };

    const double quiet = play("nothing rendering:");
    // Slow pictures that keep the idle loop busy for the whole macro.
    qobject_cast<QCheckBox*>(dialog.Control(kIdAspectRatio))->setChecked(false);
    dialog.Edit(kIdWidth)->setText("800");
    dialog.Edit(kIdHeight)->setText("800");
    dialog.Edit(kIdXStart)->setText("-0.2");
    dialog.Edit(kIdXEnd)->setText("0.1");
    for (int i = 0; i < 3; ++i)
        dialog.OnRender();
    const double busy = play("three pictures rendering:");
    std::printf("pictures still rendering at the end: %s; median delay busy - quiet: %.2f ms\n",
                dialog.RenderWindows().back()->Job().Finished() ? "no" : "yes", busy - quiet);
    return 0;
}
