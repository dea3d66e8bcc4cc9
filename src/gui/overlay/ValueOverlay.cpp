#include "gui/overlay/ValueOverlay.h"

#include "core/render/ValuePanelText.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace korvanta {

namespace {

constexpr QRgb kFill = qRgb(221, 221, 221);
constexpr QRgb kLight = qRgb(255, 255, 255);
constexpr QRgb kShadow = qRgb(102, 102, 102);

QFont OverlayFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

PixelBuffer BuildValueOverlay(const RenderSettings& s)
{
    const ValuePanelText text = ValuePanelTextOf(s);
    const QString name = QString::fromStdString(text.name);
    const QString re = QString::fromStdString(text.re);
    const QString im = QString::fromStdString(text.im);
    const QFont font = OverlayFont();
    const QFontMetrics metrics(font);
    const int w1 = metrics.horizontalAdvance(name), h1 = metrics.height();
    const int w2 = std::max(metrics.horizontalAdvance(re) + 4, metrics.horizontalAdvance(im));
    const int width = w1 + w2 + 12;
    const int height = h1 + metrics.height() + 16;

    QImage panel(width, height, QImage::Format_RGB32);
    QPainter painter(&panel);
    painter.fillRect(0, 0, width - 4, height - 4, kFill);
    for (int i = 0; i < 4; ++i) {
        const int x0 = i, y0 = i, x1 = width - 1 - i, y1 = height - 1 - i;
        painter.setPen(QColor(kLight));
        painter.drawLine(x0, y0, x1 - 1, y0);
        painter.drawLine(x0, y0, x0, y1 - 1);
        painter.setPen(QColor(kShadow));
        painter.drawLine(x0, y1, x1, y1);
        painter.drawLine(x1, y0, x1, y1);
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(6, 6, w1, h1), Qt::AlignLeft | Qt::AlignTop, name);
    painter.drawText(QRect(w1 + 6, 6, w2, h1), Qt::AlignLeft | Qt::AlignTop, re);
    painter.drawText(QRect(w1 + 6, h1 + 6, w2, metrics.height()), Qt::AlignLeft | Qt::AlignTop, im);
    painter.end();

    PixelBuffer overlay = PixelBuffer::Allocate(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(panel.constScanLine(y));
        for (int x = 0; x < width; ++x)
            overlay.at(x, height - 1 - y) = line[x] & 0x00FFFFFFu;
    }
    return overlay;
}

}  // namespace korvanta
