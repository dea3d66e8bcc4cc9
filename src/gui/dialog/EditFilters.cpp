#include "gui/dialog/EditFilters.h"

#include "core/text/NumberText.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace korvanta {

namespace {

bool IsClipboardOrUndo(QKeyEvent* event)
{
    for (auto key : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
                     QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll})
        if (event->matches(key))
            return true;
    return false;
}

}  // namespace

FilteredEdit::FilteredEdit(QString allowed, QWidget* parent)
    : QLineEdit(parent), m_allowed(std::move(allowed))
{
}

void FilteredEdit::keyPressEvent(QKeyEvent* event)
{
    if (m_upDown && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        m_upDown->Step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    // Some input methods give Ctrl+V the text "v": the shortcut, not a letter.
    if (IsClipboardOrUndo(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isPrint();
    });
    if (printable && !std::all_of(text.begin(), text.end(), [this](QChar c) {
            return m_allowed.contains(c);
        })) {
        event->accept();  // swallowed, as a disallowed character
        return;
    }
    if (!printable && !text.isEmpty() && event->key() != Qt::Key_Backspace &&
        event->key() != Qt::Key_Delete &&
        event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter &&
        event->key() != Qt::Key_Escape && event->key() != Qt::Key_Tab &&
        event->key() != Qt::Key_Backtab) {
        event->accept();  // other control characters
        return;
    }
    QLineEdit::keyPressEvent(event);
}

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int delta : {1, -1}) {
        auto* button = new QToolButton(this);
        button->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        layout->addWidget(button);
    }
}

void UpDown::Step(int delta)
{
    if (!isEnabled())
        return;
    const std::int64_t value = std::int64_t{AtoI(m_buddy->text().toStdString())} + delta;
    const auto clamped = std::clamp<std::int64_t>(value, m_minimum, m_maximum);
    m_buddy->setText(QString::number(clamped));
}

}  // namespace korvanta
