#pragma once

#include "core/files/RenderRecord.h"
#include "core/deep/DeepViewport.h"
#include "core/formulas/Viewport.h"
#include "core/render/RenderJob.h"
#include "core/render/RenderView.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

#include <memory>
#include <optional>

namespace korvanta {

class CFractAlgDeep;
class CFractalDlg;

// A window that shows one picture while its render job computes it, one step per idle tick.
class CFractalWnd : public QWidget, public RenderView {
    Q_OBJECT

public:
    // Shows the picture of `job`; a job read from a document has its buffers made already.
    explicit CFractalWnd(std::unique_ptr<RenderJob> job);
    ~CFractalWnd() override;

    // Shows the window at the screen's top-left corner with the picture's size as its client
    // area, and creates the picture buffer (or takes `picture`, allocated beforehand).
    void Open(PixelBuffer picture = {});
    // Shows a loaded picture where its placement says.
    void OpenAt(const WindowPlacement& placement);

    // The client size a window of these settings opens at: the picture's, or smaller to fit
    // the screen (then stretched). `reference` is a shown window whose frame is a guess.
    static QSize OpeningSize(const RenderSettings& settings, const QWidget* reference);

    int RenderStep(int count, std::chrono::microseconds rowWait = RenderJob::kRowWait)
    {
        return m_job->RenderStep(count, rowWait);
    }
    RenderJob& Job() { return *m_job; }
    const RenderJob& Job() const { return *m_job; }

    WindowPlacement Placement() const;
    void OnSaveAs();
    void OnSetWallpaper();

    void OnSetConstant();
    // Ctrl+C: the picture's location and parameters as text.
    void CopyLocation();
    void OnProperties();
    void SetMenuPoint(QPoint point) { m_ptMenu = point; }

    // RenderView
    void SetTitle(const std::string& title) override;
    void Invalidate(std::int32_t fromRow, std::int32_t toRow) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Marks a nested event loop started from this window (menu, file dialog, message box,
    // properties). A close during one only hides the window: deleting it there would free
    // it under the loop's feet. It goes once the last such loop has returned.
    class NestedLoop {
    public:
        explicit NestedLoop(CFractalWnd* window);
        ~NestedLoop();
        NestedLoop(const NestedLoop&) = delete;
        NestedLoop& operator=(const NestedLoop&) = delete;

    private:
        CFractalWnd* m_window;
    };

    void ShowContextMenu(QPoint global);
    CFractalDlg* Dialog() const { return m_job->Settings().m_pDlg; }

    // This window's area as its client area, possibly stretched, shows it.
    Viewport ClientViewport() const;
    const CFractAlgDeep* DeepFormula() const;
    std::optional<DeepViewport> ExactViewport() const;
    void ZoomTo(QRect drag);
    void ShowPicture();

    std::unique_ptr<RenderJob> m_job;
    int m_nestedLoops = 0;
    bool m_closedInLoop = false;
    QPoint m_ptMenu;
    bool m_bDragging = false;
    QPoint m_ptAnchor;
    QRect m_rcDrag;
};

}  // namespace korvanta
