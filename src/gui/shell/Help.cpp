#include "gui/shell/Help.h"

#include "gui/render/ScreenFit.h"

#include "core/text/HelpFiles.h"
#include "gui/shell/HelpWindow.h"
#include "gui/shell/WindowPlacing.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#ifndef KORVANTA_DATA_FROM_BIN
#define KORVANTA_DATA_FROM_BIN "../share/korvanta"  // where an installed program keeps its data
#endif

namespace korvanta {

namespace {

constexpr const char* kPopupFile = "popups.txt";

QString& FolderOverride()
{
    static QString folder;
    return folder;
}

QPointer<CHelpWindow>& OpenGuide()
{
    static QPointer<CHelpWindow> window;
    return window;
}

// A popup of plain text: the next click anywhere or any key closes it.
class HelpPopup : public QLabel {
public:
    HelpPopup(const QString& text, QWidget* parent) : QLabel(text, parent, Qt::Popup)
    {
        setObjectName("helpPopup");
        setAttribute(Qt::WA_DeleteOnClose);
        setTextFormat(Qt::PlainText);
        setWordWrap(true);
        setMargin(6);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::ToolTipBase);
        setForegroundRole(QPalette::ToolTipText);
        setMaximumWidth(320);
    }

protected:
    void keyPressEvent(QKeyEvent*) override { close(); }
};

}  // namespace

UrlOpener DesktopUrlOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

void SetHelpFolder(const QString& folder)
{
    FolderOverride() = folder;
}

QString HelpFolder()
{
    const QString program = QCoreApplication::applicationDirPath();
    const QStringList candidates = FolderOverride().isEmpty()
                                       ? QStringList{program + "/help", program + "/" KORVANTA_DATA_FROM_BIN "/help"}
                                       : QStringList{FolderOverride()};
    for (const QString& folder : candidates)
        if (QFileInfo(folder + "/contents.txt").isFile())
            return QDir(folder).canonicalPath();
    return {};
}

QString SampleMacroPath(int number)
{
    const QString help = HelpFolder();
    const QDir folder = help.isEmpty() ? QDir(QCoreApplication::applicationDirPath()) : QFileInfo(help).dir();
    return folder.filePath(QString("macros/Sample%1.frm").arg(number));
}

QPointer<QWidget>& LastHelpWindow()
{
    static QPointer<QWidget> window;
    return window;
}

QWidget* ShowHelpTopic(QWidget* control, int topic)
{
    LastHelpWindow() = nullptr;
    const QString folder = HelpFolder();
    QFile file(folder + '/' + kPopupFile);
    if (folder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return nullptr;
    const auto topics = ParsePopupTopics(file.readAll().toStdString());
    const auto found = topics.find(topic);
    if (found == topics.end())
        return nullptr;
    auto* popup = new HelpPopup(QString::fromStdString(found->second), control);
    popup->setProperty("topic", topic);
    popup->adjustSize();
    // Beside the control, below it, kept on its screen.
    QPoint at = control->mapToGlobal(QPoint(0, control->height() + 2));
    if (const QScreen* screen = control->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - popup->width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - popup->height())));
    }
    popup->move(at);
    popup->show();
    LastHelpWindow() = popup;
    return popup;
}

CHelpWindow* OpenHelpWindow(const UrlOpener& opener, const QWidget* beside)
{
    CHelpWindow* window = OpenGuide();
    std::optional<WindowPlacement> place;
    QMargins frame;
    if (!window) {
        window = CHelpWindow::Open(HelpFolder(), opener ? opener : DesktopUrlOpener());
        OpenGuide() = window;
        const QScreen* screen = beside ? beside->screen() : QGuiApplication::primaryScreen();
        if (window && screen) {
            frame = ExpectedFrame(*window, beside);
            const QRect outer = PlaceBeside(screen->availableGeometry(),
                                            beside ? beside->frameGeometry() : QRect(), window->size(), frame);
            place = WindowPlacement{};
            place->left = outer.left();
            place->top = outer.top();
            place->right = outer.left() + outer.width();
            place->bottom = outer.top() + outer.height();
        }
    }
    LastHelpWindow() = window;
    if (window) {
        // Placed again once the window manager has framed it: its own frame may differ from
        // the control window's.
        if (place)
            PlaceWindow(*window, *place, true, frame);
        window->show();
        window->raise();
        window->activateWindow();
    }
    return window;
}

void CloseHelpWindow()
{
    delete OpenGuide().data();
}

}  // namespace korvanta
