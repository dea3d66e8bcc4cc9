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
    Edit(kIdXStart)->setText(Real(f.area.xStart));
    Edit(kIdXEnd)->setText(Real(f.area.xEnd));
    Edit(kIdYStart)->setText(Real(f.area.yStart));
    Edit(kIdYEnd)->setText(Real(f.area.yEnd));
    // Out-of-range indexes leave a list without selection.
    m_formulaBox->setCurrentIndex(f.formula < m_formulaBox->count() ? f.formula : -1);
    m_coloringBox->setCurrentIndex(f.coloring < m_coloringBox->count() ? f.coloring : -1);
    RefreshSelections();
    Edit(kIdNumColors)->setText(QString::fromStdString(FormatInt(f.limit)));
    FillConstant(f.constant);
}

void CFractalDlg::FillConstant(const CFractValue& constant)
{
    Edit(kIdCRe)->setText(Real(constant.m_z.real()));
    Edit(kIdCIm)->setText(Real(constant.m_z.imag()));
}

}  // namespace korvanta
