#include "gui/dialog/FractalDlg.h"

#include "core/render/RenderJob.h"
#include "core/render/RenderRequest.h"
#include "core/render/RowWorkers.h"
#include "gui/render/FractalWnd.h"
#include "gui/shell/IdleDriver.h"
#include "gui/shell/Prompter.h"

#include <QImage>

namespace korvanta {

void CFractalDlg::OnRender()
{
    if (!DoDataExchange(true))
        return;

    const RenderFields fields = Fields();
    const auto formula = static_cast<std::size_t>(fields.formula);
    const auto coloring = static_cast<std::size_t>(fields.coloring);
    if (formula >= m_algorithms.size() || !m_algorithms[formula] ||
        coloring >= m_colorings.size() || !m_colorings[coloring])
        return;

    auto checked = CheckRenderFields(fields, m_algorithms[formula]->UsesConstant());
    if (const auto* problem = std::get_if<FieldProblem>(&checked))
        return (void)Fail(*problem);
    RenderRequest& request = std::get<RenderRequest>(checked);
    request.settings.m_pDlg = this;

    // Refuse before anything is handed over, so the prototypes stay as they were. Painting
    // needs an image as large as the window on top of the picture.
    PixelBuffer picture = RenderJob::AllocatePicture(request.settings);
    const bool paintable =
        !QImage(CFractalWnd::OpeningSize(request.settings, this), QImage::Format_RGB32).isNull();
    if (picture.empty() || !paintable)
        return Prompter::Current().Message(this, messages::kOutOfMemory);

    PictureObjects objects{std::move(m_algorithms[formula]), std::move(m_colorings[coloring])};
    PrepareObjects(fields, request.constant, *objects.alg, *objects.col);
    AddAlg();
    AddCol();

    auto* window = new CFractalWnd(std::make_unique<RenderJob>(request.settings, std::move(objects)));
    m_renderWindows.push_back(window);
    window->Open(std::move(picture));
    window->Job().EnableLookAhead(*m_workers);
    m_idle->Wake();
}

}  // namespace korvanta
