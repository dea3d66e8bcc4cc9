#include "gui/render/FractalWnd.h"

#include "gui/dialog/FractalDlg.h"
#include "core/deep/DeepViewport.h"
#include "core/deep/FractAlgDeep.h"
#include "core/exchange/LocationFields.h"
#include "core/files/PictureExport.h"
#include "core/files/PictureParameters.h"
#include "core/render/DeepRequest.h"
#include "gui/render/PictureImage.h"
#include "gui/render/ScreenFit.h"
#include "gui/overlay/ValueOverlay.h"
#include "gui/shell/FractalPropDlg.h"
#include "gui/shell/Prompter.h"
#include "gui/shell/Wallpaper.h"
#include "gui/resources/ControlIds.h"
#include "gui/resources/Icons.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

#include <algorithm>
#include <cstdint>


namespace korvanta {

CFractalWnd::CFractalWnd(std::unique_ptr<RenderJob> job) : m_job(std::move(job))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowIcon(WindowIcon());
    // A picture that needs no more steps gets no title from them.
    setWindowTitle(m_job->Finished() ? RenderJob::kReadyTitle : RenderJob::kTitle);
    m_job->SetView(this);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, &CFractalWnd::CopyLocation);
}

// The location for the deep-zoom programs where the formula is one of theirs, then the
// parameters, which bring back every detail when pasted into the control window.
void CFractalWnd::CopyLocation()
{
    const RenderFields fields = ParametersOfPicture(m_job->Settings());
    const auto location = LocationOfFields(fields);
    const std::string text = (std::holds_alternative<Location>(location)
                                  ? WriteLocation(std::get<Location>(location), LocationForm::KeyValue)
                                  : std::string()) +
                             ParametersText(WithPlainDeepTexts(fields));
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

CFractalWnd::~CFractalWnd()
{
    m_job->SetView(nullptr);
}

QSize CFractalWnd::OpeningSize(const RenderSettings& settings, const QWidget* reference)
{
    // Before it is shown a window has no frame yet; the control window's is a good guess.
    QMargins frame;
    if (reference) {
        const QRect outer = reference->frameGeometry(), client = reference->geometry();
        frame = QMargins(client.left() - outer.left(), client.top() - outer.top(),
                         outer.right() - client.right(), outer.bottom() - client.bottom());
    }
    return FittedClientSize(QSize(settings.m_nWidth, settings.m_nHeight), frame);
}

void CFractalWnd::ShowPicture()
{
    // An empty picture from a document still gets a window the user can find and close.
    resize(OpeningSize(m_job->Settings(), Dialog()).expandedTo(QSize(1, 1)));
    move(0, 0);
    show();
}

void CFractalWnd::Open(PixelBuffer picture)
{
    ShowPicture();
    const RenderSettings& s = m_job->Settings();
    m_job->CreateBitmaps(s.m_bShowValues ? BuildValueOverlay(s) : PixelBuffer{}, std::move(picture));
}

void CFractalWnd::OpenAt(const WindowPlacement& p)
{
    ShowPicture();
    const RenderSettings& s = m_job->Settings();
    // A rectangle of just the picture's size comes from a writer without windows
    // (korvanta-render): it has no frame in it, and taken as the outer one it would crop the
    // picture. The picture opens at its own size there.
    if (std::int64_t{p.right} - p.left == s.m_nWidth && std::int64_t{p.bottom} - p.top == s.m_nHeight) {
        WindowPlacement state = p;
        state.left = state.top = state.right = state.bottom = 0;
        move(OntoNearestScreen(QRect(QPoint(p.left, p.top), frameGeometry().size()), false).topLeft());
        PlaceWindow(*this, state, true);
        return;
    }
    PlaceWindow(*this, p, true);
}

WindowPlacement CFractalWnd::Placement() const
{
    return PlacementOf(*this);
}

void CFractalWnd::OnSaveAs()
{
    const NestedLoop loop(this);
    const auto choice = Prompter::Current().SaveFile(this, QString::fromStdString(SaveFilters()));
    if (!choice || choice->filter < 1 || choice->filter > 5)
        return;
    const auto format = static_cast<SaveFormat>(choice->filter);
    const std::string path = WithExtension(choice->path.toStdString(), format);
    // Asked for the name that is written, which may have gained its extension.
    const QString name = QString::fromStdString(path);
    if (QFileInfo::exists(name) && !Prompter::Current().Confirm(this, ReplaceQuestion(name)))
        return;
    for (const std::string& message : SavePicture(path, format, *m_job, Placement()))
        Prompter::Current().Message(this, QString::fromStdString(message));
}

void CFractalWnd::OnSetWallpaper()
{
    const NestedLoop loop(this);
    SetWallpaper(*m_job, this);
}

void CFractalWnd::SetTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

// Only those rows: a full repaint of a big picture every thirty rows kept input waiting.
void CFractalWnd::Invalidate(std::int32_t fromRow, std::int32_t toRow)
{
    const QRect rows = WindowRowsOf(fromRow, toRow, m_job->Settings().m_nHeight, size());
    if (!rows.isEmpty())
        update(rows);
}

void CFractalWnd::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const PixelBuffer& pixels = m_job->Pixels();
    if (pixels.empty()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Only the exposed part is converted; an image that cannot be had leaves it black
    // until the next paint.
    const QRect area = event->rect();
    // One buffer for the repaints of every window, all on this thread: fresh memory for each
    // repaint of a big window cost more than its pixels.
    QImage own;
    CFractalDlg* dialog = Dialog();
    QImage& scratch = dialog ? dialog->PaintScratch() : own;
    const QImage image = size() == QSize(pixels.width(), pixels.height())
                             ? PictureImage(pixels, area, scratch, m_job->UnwrittenFrom())
                             : StretchedPictureImage(pixels, size(), area, scratch, m_job->UnwrittenFrom());
    if (image.isNull())
        painter.fillRect(area, Qt::black);
    else
        painter.drawImage(area.topLeft(), image);
    if (m_bDragging) {
        // An inverted one-pixel frame, visible on any picture.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(Qt::white);
        const QRect& r = m_rcDrag;
        painter.drawLine(r.left(), r.top(), r.right(), r.top());
        if (r.bottom() != r.top())
            painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        if (r.height() > 2) {
            painter.drawLine(r.left(), r.top() + 1, r.left(), r.bottom() - 1);
            if (r.right() != r.left())
                painter.drawLine(r.right(), r.top() + 1, r.right(), r.bottom() - 1);
        }
    }
}

// The drag rectangle, normalized: left/top the smaller, right/bottom the larger corner.
static QRect Spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void CFractalWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    update();
}

CFractalWnd::NestedLoop::NestedLoop(CFractalWnd* window) : m_window(window)
{
    ++m_window->m_nestedLoops;
}

CFractalWnd::NestedLoop::~NestedLoop()
{
    // Called back at the level of the event loop that will run the deletion.
    if (--m_window->m_nestedLoops == 0 && m_window->m_closedInLoop)
        m_window->deleteLater();
}

void CFractalWnd::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || !Dialog())
        return;
    if (m_nestedLoops == 0) {
        Dialog()->RemoveRenderWindow(this);
    } else if (Dialog()->DetachRenderWindow(this)) {
        m_closedInLoop = true;
    }
}

void CFractalWnd::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        if (m_bDragging) {
            // The menu takes the mouse: the drag ends here, without a zoom.
            m_bDragging = false;
            update(m_rcDrag.adjusted(-1, -1, 1, 1));
        }
        m_ptMenu = at;
        ShowContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_ptAnchor = at;
        m_rcDrag = Spanned(at, at);
        m_bDragging = true;
        update(m_rcDrag.adjusted(-1, -1, 1, 1));
    }
    QWidget::mousePressEvent(event);
}

void CFractalWnd::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging) {
        const QRect previous = m_rcDrag;
        m_rcDrag = Spanned(m_ptAnchor, event->position().toPoint());
        update(previous.adjusted(-1, -1, 1, 1));
        update(m_rcDrag.adjusted(-1, -1, 1, 1));
    }
    QWidget::mouseMoveEvent(event);
}

void CFractalWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bDragging) {
        m_rcDrag = Spanned(m_ptAnchor, event->position().toPoint());
        m_bDragging = false;
        update(m_rcDrag.adjusted(-1, -1, 1, 1));
        ZoomTo(m_rcDrag);
    }
    QWidget::mouseReleaseEvent(event);
}

Viewport CFractalWnd::ClientViewport() const
{
    return Viewport(m_job->Settings().GetArea(), width(), height());
}

const CFractAlgDeep* CFractalWnd::DeepFormula() const
{
    return dynamic_cast<const CFractAlgDeep*>(m_job->Settings().m_pAlg);
}

// The same in MPFR, from the exact texts of a deep picture or the doubles of another.
std::optional<DeepViewport> CFractalWnd::ExactViewport() const
{
    const RenderSettings& s = m_job->Settings();
    if (const CFractAlgDeep* deep = DeepFormula())
        return DeepViewport::FromTexts(deep->Area(), width(), height(), s.m_nWidth, s.m_nHeight);
    return DeepViewport::FromDoubles(s.GetArea(), width(), height(), s.m_nWidth, s.m_nHeight);
}

// Writes the dragged part of this window's area, with its formula, coloring, limit and C,
// into the control window for the next Render. The client area may be stretched.
void CFractalWnd::ZoomTo(QRect drag)
{
    CFractalDlg* dialog = Dialog();
    if (!dialog)
        return;
    const RenderSettings& s = m_job->Settings();
    CFractalDlg::PictureFields f;
    f.area = ClientViewport().ZoomArea(drag.left(), drag.top(), drag.right(), drag.bottom());
    f.formula = s.m_nFormula;
    f.coloring = s.m_nColoring;
    f.limit = s.m_pAlg ? s.m_pAlg->GetMaxIter() : 0;
    f.constant = s.m_pAlg ? s.m_pAlg->GetConstant() : CFractValue{};
    // Below what doubles resolve, the new area is worked out from the exact location.
    const CFractAlgDeep* deep = DeepFormula();
    const Area& a = f.area;
    if (deep || !DoublesResolve(a.xStart, a.xEnd, a.yStart, a.yEnd, s.m_nWidth, s.m_nHeight))
        if (const auto exact = ExactViewport())
            f.exactArea = exact->ZoomArea(drag.left(), drag.top(), drag.right(), drag.bottom());
    if (deep && deep->UsesConstant())
        f.exactConstant = PointTexts{deep->ConstantRe(), deep->ConstantIm()};
    dialog->FillFromPicture(f);
}

void CFractalWnd::ShowContextMenu(QPoint global)
{
    const NestedLoop loop(this);
    QMenu menu(this);
    menu.addAction("&Save as ...", this, &CFractalWnd::OnSaveAs)->setData(kCmdSaveAs);
    menu.addAction("Set Wallpaper", this, &CFractalWnd::OnSetWallpaper)->setData(kCmdSetWallpaper);
    menu.addAction("Set Constant", this, &CFractalWnd::OnSetConstant)->setData(kCmdSetConstant);
    menu.addSeparator();
    menu.addAction("&Properties", this, &CFractalWnd::OnProperties)->setData(kCmdProperties);
    menu.exec(global);
}

void CFractalWnd::OnProperties()
{
    const NestedLoop loop(this);
    CFractalPropDlg properties(m_job->Settings(), Dialog());
    KeepAboveOnTopWindows(properties);
    properties.exec();
}

// The point under the last right-click, in this window's own area.
void CFractalWnd::OnSetConstant()
{
    CFractalDlg* dialog = Dialog();
    if (!dialog)
        return;
    if (DeepFormula())
        if (const auto exact = ExactViewport())
            return dialog->FillConstant(exact->PointAt(m_ptMenu.x(), m_ptMenu.y()));
    dialog->FillConstant(ClientViewport().PointAt(m_ptMenu.x(), m_ptMenu.y()));
}

}  // namespace korvanta
