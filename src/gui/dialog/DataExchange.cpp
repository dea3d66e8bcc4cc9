#include "gui/dialog/FractalDlg.h"

#include "core/render/DeepRequest.h"
#include "core/render/RenderRequest.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace korvanta {

namespace {

int ControlOf(RenderField field)
{
    switch (field) {
    case RenderField::XStart: return kIdXStart;
    case RenderField::XEnd: return kIdXEnd;
    case RenderField::YStart: return kIdYStart;
    case RenderField::YEnd: return kIdYEnd;
    case RenderField::Width: return kIdWidth;
    case RenderField::Height: return kIdHeight;
    case RenderField::CRe: return kIdCRe;
    case RenderField::CIm: return kIdCIm;
    }
    return 0;
}

}  // namespace

std::optional<std::variant<DeepRenderRequest, FieldProblem>> CFractalDlg::DeepVerdict(const RenderFields& fields) const
{
    const auto formula = static_cast<std::size_t>(fields.formula);
    if (formula >= m_algorithms.size() || !m_algorithms[formula])
        return std::nullopt;
    return CheckDeepRenderFields(fields, m_algorithms[formula]->UsesConstant());
}

bool CFractalDlg::Fail(const FieldProblem& problem)
{
    Prompter::Current().Message(this, QString::fromStdString(problem.message));
    if (QWidget* control = Control(ControlOf(problem.field))) {
        control->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(control); edit && problem.selectAll)
            edit->selectAll();
    }
    return false;
}

RenderFields CFractalDlg::Fields() const
{
    auto text = [this](int id) { return Edit(id)->text().toStdString(); };
    RenderFields f;
    f.xStart = text(kIdXStart);
    f.xEnd = text(kIdXEnd);
    f.yStart = text(kIdYStart);
    f.yEnd = text(kIdYEnd);
    f.width = m_strWidth.toStdString();
    f.height = m_strHeight.toStdString();
    f.colors = text(kIdNumColors);
    f.cRe = text(kIdCRe);
    f.cIm = text(kIdCIm);
    f.formula = m_formulaBox->currentIndex();
    f.coloring = m_coloringBox->currentIndex();
    f.aspectRatio = m_bAspectRatio;
    f.showValues = m_bShowValues;
    f.onTop = m_bOnTop;
    return f;
}

bool CFractalDlg::DoDataExchange(bool save)
{
    struct CheckMember {
        int id;
        int* member;
    };
    for (const CheckMember& c : {CheckMember{kIdAspectRatio, &m_bAspectRatio},
                                 CheckMember{kIdShowValues, &m_bShowValues},
                                 CheckMember{kIdOnTop, &m_bOnTop},
                                 CheckMember{kIdDesktop, &m_bDesktop}}) {
        auto* box = qobject_cast<QCheckBox*>(Control(c.id));
        if (save)
            *c.member = box->isChecked() ? 1 : 0;
        else
            box->setChecked(*c.member == 1);
    }

    struct TextMember {
        int id;
        QString* member;
    };
    for (const TextMember& t : {TextMember{kIdWidth, &m_strWidth}, TextMember{kIdHeight, &m_strHeight}}) {
        if (save)
            *t.member = Edit(t.id)->text();
        else
            SetText(t.id, *t.member);
    }
    if (!m_bValidate)
        return true;

    const RenderFields fields = Fields();
    if (const auto problem = CheckPictureSize(fields))
        return Fail(*problem);
    if (!save)
        return true;
    if (const auto problem = CheckArea(fields)) {
        // An area that doubles cannot hold has the deep engine's verdict: refused with its
        // reason (a formula it does not compute), or left to Render.
        const auto deep = DeepVerdict(fields);
        if (!deep)
            return Fail(*problem);
        if (const auto* refused = std::get_if<FieldProblem>(&*deep))
            return Fail(*refused);
    }
    return true;
}

}  // namespace korvanta
