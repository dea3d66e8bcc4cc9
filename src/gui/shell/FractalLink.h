#pragma once

#include <QFont>
#include <QLabel>

#include <optional>

namespace korvanta {

// A line of text that works as a link: blue, underlined, a pointing hand over it, and a
// click. Its underlined font is made from the dialog's own at the first paint and kept.
class CFractalLink : public QLabel {
    Q_OBJECT

public:
    CFractalLink(const QString& text, QWidget* parent);

    // How many fonts the link has made (one after its first paint).
    int FontsMade() const { return m_fontsMade; }

    static constexpr QRgb kColor = qRgb(0, 0, 255);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::optional<QFont> m_font;
    int m_fontsMade = 0;
};

}  // namespace korvanta
