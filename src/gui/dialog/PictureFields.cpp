#include "gui/dialog/FractalDlg.h"

#include "core/text/NumberText.h"
#include "gui/resources/ControlIds.h"

#include <QComboBox>
#include <QLineEdit>

namespace korvanta {

namespace {

QString Real(double value)
{
    return QString::fromStdString(FormatReal(value));
}

}  // namespace

void CFractalDlg::FillFromPicture(const PictureFields& f)
{
    SetText(kIdXStart, Real(f.area.xStart));
    SetText(kIdXEnd, Real(f.area.xEnd));
    SetText(kIdYStart, Real(f.area.yStart));
    SetText(kIdYEnd, Real(f.area.yEnd));
    // Out-of-range indexes leave a list without selection.
    m_formulaBox->setCurrentIndex(f.formula < m_formulaBox->count() ? f.formula : -1);
    m_coloringBox->setCurrentIndex(f.coloring < m_coloringBox->count() ? f.coloring : -1);
    RefreshSelections();
    SetText(kIdNumColors, QString::fromStdString(FormatInt(f.limit)));
    FillConstant(f.constant);
}

void CFractalDlg::FillConstant(const CFractValue& constant)
{
    SetText(kIdCRe, Real(constant.m_z.real()));
    SetText(kIdCIm, Real(constant.m_z.imag()));
}

}  // namespace korvanta
