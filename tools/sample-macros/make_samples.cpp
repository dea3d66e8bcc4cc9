// Makes the three sample macros that the guide's training cards play, by recording the
// explorer with its own recorder while the window system's way of input (Qt's test entry
// points) drives it, with pauses a watcher can follow. Usage: korvanta-make-samples FOLDER
#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/MacroEngine.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace korvanta;

namespace {

// Where the control window stands while recording; the render windows open at the
// screen's top-left corner, above it; all of it fits an 800 x 800 screen.
constexpr QPoint kDialogPlace(0, 440);
constexpr int kApfelmaenchen = 5, kJuliaSet = 2;

QPoint Center(QWidget* control, QWidget* window)
{
    return control->mapTo(window, control->rect().center());
}

void Click(CFractalDlg& dialog, int id)
{
    QTest::mouseMove(dialog.windowHandle(), Center(dialog.Control(id), &dialog));
    QTest::qWait(300);
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, Center(dialog.Control(id), &dialog));
}

// Opens a list with the mouse and walks it with the keyboard, as a user would.
void Choose(CFractalDlg& dialog, int id, int index)
{
    auto* list = qobject_cast<QComboBox*>(dialog.Control(id));
    Click(dialog, id);
    QTest::qWait(400);
    QWidget* popup = QApplication::activePopupWidget();
    QWindow* keys = popup ? popup->windowHandle() : dialog.windowHandle();
    for (int i = list->currentIndex(); i < index; ++i) {
        QTest::keyClick(keys, Qt::Key_Down);
        QTest::qWait(200);
    }
    QTest::keyClick(keys, Qt::Key_Return);
    QTest::qWait(500);
}

CFractalWnd* RenderAndWait(CFractalDlg& dialog)
{
    const std::size_t before = dialog.RenderWindows().size();
    Click(dialog, kIdRender);
    QTest::qWait(200);
    if (dialog.RenderWindows().size() == before)
        return nullptr;
    CFractalWnd* window = dialog.RenderWindows().back();
    for (int i = 0; i < 600 && !window->Job().Finished(); ++i)
        QTest::qWait(50);
    QTest::qWait(800);
    return window;
}

// Sample 1: a ready-made scene, rendered.
bool SampleScene(CFractalDlg& dialog)
{
    Choose(dialog, kIdSamples, kApfelmaenchen);
    return RenderAndWait(dialog) != nullptr;
}

// Sample 2: a rectangle dragged into the picture, and the zoomed picture rendered.
bool Zoom(CFractalDlg& dialog)
{
    Choose(dialog, kIdSamples, kApfelmaenchen);
    CFractalWnd* window = RenderAndWait(dialog);
    if (!window)
        return false;
    QWindow* target = window->windowHandle();
    const QPoint from(250, 95), to(300, 140);
    QTest::mouseMove(target, from);
    QTest::qWait(300);
    QTest::mousePress(target, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 10; ++step) {
        QTest::mouseMove(target, from + (to - from) * step / 10);
        QTest::qWait(60);
    }
    QTest::mouseRelease(target, Qt::LeftButton, {}, to);
    QTest::qWait(600);
    return RenderAndWait(dialog) != nullptr;
}

// Sample 3: a point of the Mandelbrot set taken as C, and its Julia set rendered.
bool JuliaFromAPoint(CFractalDlg& dialog)
{
    Choose(dialog, kIdSamples, kApfelmaenchen);
    CFractalWnd* window = RenderAndWait(dialog);
    if (!window)
        return false;
    const QPoint point(283, 168);
    QTest::mouseMove(window->windowHandle(), point);
    QTest::qWait(300);
    // The context menu runs a loop of its own: its item is chosen from inside that loop.
    bool chosen = false;
    QTimer::singleShot(500, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions()) {
            if (action->text() != "Set Constant")
                continue;
            const QPoint item = menu->actionGeometry(action).center();
            QTest::mouseMove(menu->windowHandle(), item);
            QTest::qWait(300);
            QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, item);
            chosen = true;
        }
        if (!chosen)
            menu->close();
    });
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, point);
    if (!chosen)
        return false;
    QTest::qWait(600);
    Choose(dialog, kIdFormula, kJuliaSet);
    return RenderAndWait(dialog) != nullptr;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());  // no desktop of the user's
    QApplication app(argc, argv);
    const std::function<bool(CFractalDlg&)> samples[] = {SampleScene, Zoom, JuliaFromAPoint};
    for (int n = 1; n <= 3; ++n) {
        CFractalDlg dialog;
        dialog.show();
        dialog.move(kDialogPlace);
        QTest::qWait(500);
        QString error;
        const QString path = QString("%1/Sample%2.frm").arg(argv[1]).arg(n);
        if (!dialog.Macros().StartRecording(path, error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
            return 1;
        }
        const bool done = samples[n - 1](dialog);
        dialog.Macros().StopRecording();
        if (!done) {
            std::fprintf(stderr, "sample %d did not come out as planned\n", n);
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(path));
    }
    return 0;
}
