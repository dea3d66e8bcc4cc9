#include "gui/shell/FractalLink.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvanta {

CFractalLink::CFractalLink(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void CFractalLink::paintEvent(QPaintEvent*)
{
    if (!m_font) {
        QFont font = parentWidget() ? parentWidget()->font() : this->font();
        font.setUnderline(true);
        // Drawn without smoothing, the text is exactly the link colour.
        font.setStyleStrategy(QFont::NoAntialias);
        m_font = font;
        ++m_fontsMade;
        setFont(font);
    }
    QPainter painter(this);
    painter.setFont(*m_font);
    painter.setPen(QColor(kColor));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
}

void CFractalLink::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace korvanta
