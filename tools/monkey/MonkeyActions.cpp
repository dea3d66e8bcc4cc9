// The monkey's actions: what it does to the popup, the modal window or a program window.
#include "tools/monkey/Monkey.h"

#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/HelpWindow.h"
#include "tools/monkey/HostileText.h"
#include "tools/monkey/Input.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QWindow>

namespace korvanta::monkey {

namespace {

QString Describe(const QWidget* widget)
{
    QString name = widget->metaObject()->className();
    if (!widget->objectName().isEmpty())
        name += "#" + widget->objectName();
    // A render window's title is its progress, which depends on timing, not on the seed.
    if (widget->isWindow() && !widget->windowTitle().isEmpty() && !qobject_cast<const CFractalWnd*>(widget))
        name += " \"" + widget->windowTitle().left(40) + "\"";
    return name;
}

QString KeyName(int key, Qt::KeyboardModifiers modifiers)
{
    return QKeySequence(key | modifiers).toString();
}

template <typename Widget>
QList<Widget*> Shown(const QWidget* window, const char* property = nullptr)
{
    QList<Widget*> shown;
    for (Widget* child : window->findChildren<Widget*>())
        if (child->isVisible() && child->width() > 0 && (!property || child->property(property).isValid()))
            shown << child;
    return shown;
}

// The positions of the links on the shown page, in document order.
QList<int> LinkPositions(const QTextBrowser* browser)
{
    QList<int> positions;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor())
                positions << it.fragment().position();
    return positions;
}

}  // namespace

QPoint Monkey::SomePoint(const QWidget* widget)
{
    return QPoint(m_dice.Below(std::max(1, widget->width())), m_dice.Below(std::max(1, widget->height())));
}

void Monkey::ClickSomewhere(QWidget* widget, Qt::MouseButton button)
{
    const QPoint at = SomePoint(widget);
    Note(QString("%1click %2 at %3,%4")
             .arg(button == Qt::RightButton ? "right-" : "")
             .arg(Describe(widget))
             .arg(at.x())
             .arg(at.y()));
    input::Click(widget, at, button);
}

void Monkey::ClickChild(QWidget* window, const char* className)
{
    QList<QWidget*> children;
    for (QWidget* child : Shown<QWidget>(window))
        if (child->inherits(className))
            children << child;
    if (children.isEmpty())
        ClickSomewhere(window);
    else
        ClickSomewhere(m_dice.Pick(children));
}

void Monkey::PressSomeKey()
{
    static const std::pair<int, Qt::KeyboardModifiers> kKeys[] = {
        {Qt::Key_Tab, Qt::NoModifier},     {Qt::Key_Backtab, Qt::ShiftModifier},
        {Qt::Key_Return, Qt::NoModifier},  {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_F1, Qt::NoModifier},      {Qt::Key_Up, Qt::NoModifier},
        {Qt::Key_Down, Qt::NoModifier},    {Qt::Key_Left, Qt::NoModifier},
        {Qt::Key_Right, Qt::NoModifier},   {Qt::Key_Space, Qt::NoModifier},
        {Qt::Key_A, Qt::ControlModifier},  {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_Pause, Qt::ControlModifier}, {Qt::Key_F, Qt::ControlModifier}};
    static const char kAltLetters[] = "RHEFLASXCDO";
    if (m_dice.Chance(25)) {
        const int key = Qt::Key_A + (kAltLetters[m_dice.Below(sizeof kAltLetters - 1)] - 'A');
        Note("key " + KeyName(key, Qt::AltModifier));
        input::Key(key, Qt::AltModifier);
        return;
    }
    const auto& [key, modifiers] = m_dice.Pick(kKeys);
    // Three Escapes stop a playing macro.
    const int times = key == Qt::Key_Escape && m_dice.Chance(20) ? 3 : 1;
    const QString text = key == Qt::Key_Space ? " " : key == Qt::Key_Return ? "\r" : "";
    for (int i = 0; i < times; ++i) {
        Note("key " + KeyName(key, modifiers));
        input::Key(key, modifiers, text);
    }
}

void Monkey::TypeInto(QWidget* edit)
{
    input::Click(edit, SomePoint(edit));
    if (m_dice.Chance(70))
        input::Key(Qt::Key_A, Qt::ControlModifier);
    const QString text = HostileText(m_dice);
    Note(QString("type %1 characters into %2: %3").arg(text.size()).arg(Describe(edit), text.left(80)));
    input::Type(text);
    if (m_dice.Chance(40)) {
        const bool enter = m_dice.Chance(50);
        Note(enter ? "key Return" : "key Tab");
        input::Key(enter ? Qt::Key_Return : Qt::Key_Tab, Qt::NoModifier, enter ? "\r" : "");
    }
}

void Monkey::OnPopup(QWidget* popup)
{
    const int roll = m_dice.Below(100);
    if (auto* menu = qobject_cast<QMenu*>(popup)) {
        QList<QAction*> actions;
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->isVisible() && action->isEnabled())
                actions << action;
        if (roll < 80 && !actions.isEmpty()) {
            QAction* action = m_dice.Pick(actions);
            Note("menu command " + action->text());
            input::Click(menu, menu->actionGeometry(action).center());
            return;
        }
    } else if (auto* view = popup->findChild<QAbstractItemView*>(); view && view->model()) {
        const int rows = view->model()->rowCount(view->rootIndex());
        if (roll < 75 && rows > 0) {
            const QModelIndex index = view->model()->index(m_dice.Below(rows), 0, view->rootIndex());
            view->scrollTo(index);
            Note("list entry " + index.data().toString());
            input::Click(view->viewport(), view->visualRect(index).center());
            return;
        }
    } else if (roll < 50) {
        ClickSomewhere(popup);
        return;
    }
    if (roll < 92) {
        PressSomeKey();
    } else {
        Note("click outside " + Describe(popup));
        input::Click(popup, QPoint(-20, -20));
    }
}

void Monkey::OnModal(QWidget* modal)
{
    const int roll = m_dice.Below(100);
    if (roll < 40)
        ClickChild(modal, "QAbstractButton");
    else if (roll < 55)
        ClickChild(modal, "QLabel");
    else if (roll < 75)
        PressSomeKey();
    else if (roll < 90)
        ClickSomewhere(modal);
    else {
        Note("key Escape");
        input::Key(Qt::Key_Escape);
    }
}

void Monkey::OnSomeWindow()
{
    QList<QWidget*> renders;
    for (CFractalWnd* window : m_dialog->RenderWindows())
        if (window->isVisible())
            renders << window;
    QWidget* guide = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<CHelpWindow*>(window) && window->isVisible())
            guide = window;
    const int roll = m_dice.Below(100);
    if (roll < 35 && !renders.isEmpty())
        OnRenderWindow(m_dice.Pick(renders));
    else if (roll < 45 && guide)
        OnHelpWindow(guide);
    else
        OnControlWindow();
}

void Monkey::OnControlWindow()
{
    CFractalDlg& dialog = *m_dialog;
    if (!dialog.isActiveWindow())
        dialog.activateWindow();
    const int roll = m_dice.Below(100);
    if (roll < 25) {
        const QList<QWidget*> controls = Shown<QWidget>(&dialog, "controlId");
        ClickSomewhere(m_dice.Pick(controls));
    } else if (roll < 45) {
        TypeInto(m_dice.Pick(Shown<QLineEdit>(&dialog)));
    } else if (roll < 52) {
        Note("click Render");
        input::Click(dialog.Control(kIdRender), SomePoint(dialog.Control(kIdRender)));
    } else if (roll < 60) {
        QMenuBar* bar = dialog.findChild<QMenuBar*>();
        QAction* menu = m_dice.Pick(bar->actions());
        Note("menu bar " + menu->text());
        input::Click(bar, bar->actionGeometry(menu).center());
    } else if (roll < 66) {
        ClickSomewhere(&dialog, Qt::RightButton);
    } else if (roll < 80) {
        PressSomeKey();
    } else if (roll < 90) {
        ClickSomewhere(&dialog);
    } else if (roll < 93) {
        Note("click Desktop");
        input::Click(dialog.Control(kIdDesktop), QPoint(5, dialog.Control(kIdDesktop)->height() / 2));
    } else if (roll < 96) {
        Note("click Exit");
        input::Click(dialog.Control(kIdExit), SomePoint(dialog.Control(kIdExit)));
    } else {
        // A sample scene by the keyboard, as the list is walked with the arrows.
        QWidget* samples = dialog.Control(kIdSamples);
        input::Click(samples, SomePoint(samples));
        Note("samples list by keys");
        input::Key(m_dice.Chance(50) ? Qt::Key_Down : Qt::Key_Up);
        input::Key(Qt::Key_Return, Qt::NoModifier, "\r");
    }
}

void Monkey::OnRenderWindow(QWidget* window)
{
    const int roll = m_dice.Below(100);
    if (roll < 35) {
        const QPoint from = SomePoint(window);
        const QPoint to = SomePoint(window);
        Note(QString("drag in %1 from %2,%3 to %4,%5")
                 .arg(Describe(window))
                 .arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y()));
        input::Drag(window, from, to);
    } else if (roll < 45) {
        ClickSomewhere(window);
    } else if (roll < 80) {
        ClickSomewhere(window, Qt::RightButton);
    } else if (roll < 88) {
        window->activateWindow();
        PressSomeKey();
    } else if (roll < 95) {
        Note("close " + Describe(window));
        window->windowHandle()->close();
    } else {
        const QSize size(m_dice.Between(1, 900), m_dice.Between(1, 700));
        Note(QString("resize %1 to %2x%3").arg(Describe(window)).arg(size.width()).arg(size.height()));
        window->resize(size);
    }
}

void Monkey::OnHelpWindow(QWidget* window)
{
    auto* guide = static_cast<CHelpWindow*>(window);
    guide->activateWindow();
    const int roll = m_dice.Below(100);
    if (roll < 40) {
        QTextBrowser* browser = guide->Browser();
        const QList<int> links = LinkPositions(browser);
        if (links.isEmpty()) {
            ClickSomewhere(browser->viewport());
            return;
        }
        QTextCursor cursor(browser->document());
        cursor.setPosition(m_dice.Pick(links) + 1);
        // Scrolled to it as a user would with the scroll bar.
        QRect at = browser->cursorRect(cursor);
        browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->value() + at.top() -
                                               browser->viewport()->height() / 2);
        at = browser->cursorRect(cursor);
        Note(QString("click the link at %1 of the guide").arg(cursor.position()));
        input::Click(browser->viewport(), QPoint(std::max(0, at.left() - 2), at.center().y()));
    } else if (roll < 55) {
        QListWidget* contents = guide->Contents();
        if (contents->count() == 0)
            return;
        QListWidgetItem* item = contents->item(m_dice.Below(contents->count()));
        contents->scrollToItem(item);
        Note("guide contents " + item->text());
        input::Click(contents->viewport(), contents->visualItemRect(item).center());
    } else if (roll < 70) {
        ClickChild(guide, "QAbstractButton");
    } else if (roll < 80) {
        if (m_dice.Chance(50)) {
            Note("find in the guide");
            input::Key(Qt::Key_F, Qt::ControlModifier);
            input::Type(HostileText(m_dice).left(200));
            input::Key(Qt::Key_Return, Qt::NoModifier, "\r");
        } else {
            PressSomeKey();
        }
    } else if (roll < 92) {
        ClickSomewhere(guide);
    } else {
        Note("close the guide");
        guide->windowHandle()->close();
    }
}

}  // namespace korvanta::monkey
