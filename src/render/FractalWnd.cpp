#include "render/FractalWnd.h"

#include "dialog/FractalDlg.h"
#include "render/PictureImage.h"
#include "resources/ControlIds.h"
#include "resources/Icons.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

namespace korvanta {

CFractalWnd::CFractalWnd(const RenderSettings& settings) : m_job(settings)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowIcon(WindowIcon());
    setWindowTitle(RenderJob::kTitle);
}

void CFractalWnd::Open(PixelBuffer picture)
{
    const RenderSettings& s = m_job.Settings();
    resize(s.m_nWidth, s.m_nHeight);
    move(0, 0);
    m_job.SetView(this);
    show();
    m_job.CreateBitmaps({}, std::move(picture));
}

void CFractalWnd::SetTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

void CFractalWnd::Invalidate()
{
    update();
}

void CFractalWnd::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const PixelBuffer& pixels = m_job.Pixels();
    if (pixels.empty()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    if (size() == QSize(pixels.width(), pixels.height())) {
        const QRect area = event->rect();
        painter.drawImage(area.topLeft(), PictureImage(pixels, area));
    } else {
        painter.drawImage(rect(), PictureImage(pixels, QRect(0, 0, pixels.width(), pixels.height())));
    }
}

void CFractalWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}

void CFractalWnd::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted() && Dialog())
        Dialog()->RemoveRenderWindow(this);
}

void CFractalWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        m_ptMenu = event->position().toPoint();
        ShowContextMenu(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void CFractalWnd::ShowContextMenu(QPoint global)
{
    QMenu menu(this);
    menu.addAction("Set Constant", this, &CFractalWnd::OnSetConstant)->setData(kCmdSetConstant);
    menu.exec(global);
}

// The point under the last right-click, in this window's own area; the top edge is Y end.
void CFractalWnd::OnSetConstant()
{
    CFractalDlg* dialog = Dialog();
    if (!dialog)
        return;
    const RenderSettings& s = m_job.Settings();
    const double w = width(), h = height();
    const double re = s.m_dXStart + (m_ptMenu.x() / w) * (s.m_dXEnd - s.m_dXStart);
    const double im = s.m_dYStart + ((h - m_ptMenu.y()) / h) * (s.m_dYEnd - s.m_dYStart);
    auto format = [](double v) {
        char text[64];
        std::snprintf(text, sizeof text, "%.16G", v);
        return QString(text);
    };
    dialog->Edit(kIdCRe)->setText(format(re));
    dialog->Edit(kIdCIm)->setText(format(im));
}

}  // namespace korvanta
