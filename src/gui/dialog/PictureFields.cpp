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
    Edit(kIdXStart)->setText(Real(f.xStart));
    Edit(kIdXEnd)->setText(Real(f.xEnd));
    Edit(kIdYStart)->setText(Real(f.yStart));
    Edit(kIdYEnd)->setText(Real(f.yEnd));
    // Out-of-range indexes leave a list without selection.
    m_formulaBox->setCurrentIndex(f.formula < m_formulaBox->count() ? f.formula : -1);
    m_coloringBox->setCurrentIndex(f.coloring < m_coloringBox->count() ? f.coloring : -1);
    RefreshSelections();
    Edit(kIdNumColors)->setText(QString::fromStdString(FormatInt(f.limit)));
    Edit(kIdCRe)->setText(Real(f.constant.m_z.real()));
    Edit(kIdCIm)->setText(Real(f.constant.m_z.imag()));
}

}  // namespace korvanta
