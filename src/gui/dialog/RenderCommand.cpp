#include "gui/dialog/FractalDlg.h"

#include "gui/render/FractalWnd.h"
#include "core/text/NumberText.h"
#include "core/render/RenderJob.h"
#include "gui/resources/ControlIds.h"
#include "gui/resources/Strings.h"
#include "gui/shell/IdleDriver.h"
#include "gui/shell/Prompter.h"

#include <QComboBox>
#include <QLineEdit>

namespace korvanta {

namespace {

constexpr int kEditTextLimit = 399;

std::string EditText(const QLineEdit* edit)
{
    return edit->text().left(kEditTextLimit).toStdString();
}

}  // namespace

void CFractalDlg::OnRender()
{
    if (!DoDataExchange(true))
        return;

    DialogFields fields;
    fields.xStart = EditText(Edit(kIdXStart));
    fields.xEnd = EditText(Edit(kIdXEnd));
    fields.yStart = EditText(Edit(kIdYStart));
    fields.yEnd = EditText(Edit(kIdYEnd));
    fields.aspectRatio = m_bAspectRatio;
    fields.showValues = m_bShowValues;
    fields.coloring = m_coloringBox->currentIndex();
    fields.formula = m_formulaBox->currentIndex();
    fields.width = m_strWidth.toStdString();
    fields.height = m_strHeight.toStdString();
    RenderSettings settings(fields, this);

    const auto formula = static_cast<std::size_t>(settings.m_nFormula);
    const auto coloring = static_cast<std::size_t>(settings.m_nColoring);
    if (formula >= m_algorithms.size() || !m_algorithms[formula] ||
        coloring >= m_colorings.size() || !m_colorings[coloring])
        return;

    // A constant that does not scan would reach the formula as garbage.
    CFractValue constant;
    if (m_algorithms[formula]->UsesConstant()) {
        const auto re = ScanReal(EditText(Edit(kIdCRe)));
        if (!re)
            return (void)Fail(kIdCRe, strings::kIllegalCRe, true);
        const auto im = ScanReal(EditText(Edit(kIdCIm)));
        if (!im)
            return (void)Fail(kIdCIm, strings::kIllegalCIm, true);
        constant = CFractValue(*re, *im);
    }

    settings.FitSizeToArea();
    // Refuse before anything is handed over, so the prototypes stay as they were.
    PixelBuffer picture = RenderJob::AllocatePicture(settings);
    if (picture.empty() && settings.m_nWidth > 0 && settings.m_nHeight > 0)
        return Prompter::Current().Message(this, strings::kOutOfMemory);

    settings.HandOver(m_algorithms[formula].release(), m_colorings[coloring].release(),
                      EditText(Edit(kIdNumColors)), constant);
    AddAlg();
    AddCol();

    auto* window = new CFractalWnd(settings);
    m_renderWindows.push_back(window);
    window->Open(std::move(picture));
    m_idle->Wake();
}

}  // namespace korvanta
