#include "gui/dialog/FractalDlg.h"

#include "gui/resources/ControlIds.h"
#include "gui/resources/HelpIds.h"
#include "gui/shell/Help.h"
#include "gui/shell/HelpWindow.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace korvanta {

namespace {

constexpr const char* kIdProperty = "controlId";

// The control a widget belongs to (a control's inner parts count as the control); 0 for
// labels, group boxes and the background.
int ControlIdOf(const QWidget* widget, const QWidget* dialog)
{
    for (; widget && widget != dialog; widget = widget->parentWidget()) {
        const QVariant id = widget->property(kIdProperty);
        if (id.isValid())
            return id.toInt();
    }
    return 0;
}

}  // namespace

void CFractalDlg::WatchForHelpRequests(QWidget* widget)
{
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool CFractalDlg::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget)))
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::ContextMenu) {
        OnContextHelp(widget, static_cast<QContextMenuEvent*>(event)->globalPos(), true);
        return true;
    }
    // A location or a picture's parameters fill the fields, wherever the focus is; anything
    // else is pasted as text.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste) &&
        PasteLocation())
        return true;
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        OnContextHelp(widget, {}, false);
        return true;  // handled, whether or not there was help to show
    }
    return QDialog::eventFilter(watched, event);
}

bool CFractalDlg::OnContextHelp(QWidget* widget, QPoint global, bool rightClick)
{
    const int id = ControlIdOf(widget, this);
    if (const std::uint32_t topic = HelpTopicOf(id)) {
        QWidget* control = Control(id);
        return ShowHelpTopic(control ? control : widget, static_cast<int>(topic)) != nullptr;
    }
    if (rightClick)
        ShowMacroMenu(global);
    return false;
}

void CFractalDlg::ShowMacroMenu(QPoint global)
{
    QMenu menu(this);
    menu.setTitle("Macro");
    menu.setObjectName("Macro");
    menu.addAction("&Start Record", this, &CFractalDlg::OnStartRecord)->setData(kCmdStartRecord);
    menu.addAction("Stop Record", this, &CFractalDlg::OnStopRecord)->setData(kCmdStopRecord);
    menu.addAction("Start Playback", this, &CFractalDlg::OnStartPlayback)->setData(kCmdStartPlayback);
    menu.exec(global);
}

void CFractalDlg::OnHelp()
{
    if (CHelpWindow* guide = OpenHelpWindow(m_openUrl, this))
        connect(guide, &CHelpWindow::trainingCard, this, &CFractalDlg::OnTrainingCard,
                Qt::UniqueConnection);
}

}  // namespace korvanta
