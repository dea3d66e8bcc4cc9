#include "gui/dialog/FractalDlg.h"

#include "core/render/DeepRequest.h"
#include "core/render/RenderJob.h"
#include "core/render/RenderRequest.h"
#include "core/text/NumberText.h"
#include "core/render/RowWorkers.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
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

    // Pixels closer than doubles tell apart go to the deep engine, with the texts as typed.
    const bool usesConstant = m_algorithms[formula]->UsesConstant();
    auto deep = CheckDeepRenderFields(fields, usesConstant);
    if (const auto* problem = deep ? std::get_if<FieldProblem>(&*deep) : nullptr)
        return (void)Fail(*problem);
    std::unique_ptr<CFractAlgDeep> deepFormula;
    std::variant<RenderRequest, FieldProblem> checked = FieldProblem{};
    if (deep) {
        auto& accepted = std::get<DeepRenderRequest>(*deep);
        deepFormula = std::move(accepted.formula);
        checked = std::move(accepted.request);
    } else {
        checked = CheckRenderFields(fields, usesConstant);
    }
    if (const auto* problem = std::get_if<FieldProblem>(&checked))
        return (void)Fail(*problem);
    RenderRequest& request = std::get<RenderRequest>(checked);
    request.settings.m_pDlg = this;
    if (deepFormula && AtoI(fields.colors) > kDeepLimit) {
        Prompter::Current().Message(
            this, QString("A deep picture takes at most %1 colors (iterations)").arg(kDeepLimit));
        if (QWidget* colors = Control(kIdNumColors))
            colors->setFocus();
        return;
    }

    // Refuse before anything is handed over, so the prototypes stay as they were. Painting
    // needs an image as large as the window on top of the picture.
    PixelBuffer picture = RenderJob::AllocatePicture(request.settings);
    const bool paintable =
        !QImage(CFractalWnd::OpeningSize(request.settings, this), QImage::Format_RGB32).isNull();
    if (picture.empty() || !paintable)
        return Prompter::Current().Message(this, messages::kOutOfMemory);

    // A deep picture leaves the formula's prototype in its place.
    PictureObjects objects{deepFormula ? std::move(deepFormula) : std::move(m_algorithms[formula]),
                           std::move(m_colorings[coloring])};
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
