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

// A deep picture's text as the field takes it when typed.
QString Plain(const std::string& text)
{
    return QString::fromStdString(PlainDecimal(text));
}

}  // namespace

void CFractalDlg::FillFromPicture(const PictureFields& f)
{
    if (f.exactArea) {
        SetText(kIdXStart, Plain(f.exactArea->xStart));
        SetText(kIdXEnd, Plain(f.exactArea->xEnd));
        SetText(kIdYStart, Plain(f.exactArea->yStart));
        SetText(kIdYEnd, Plain(f.exactArea->yEnd));
    } else {
        SetText(kIdXStart, Real(f.area.xStart));
        SetText(kIdXEnd, Real(f.area.xEnd));
        SetText(kIdYStart, Real(f.area.yStart));
        SetText(kIdYEnd, Real(f.area.yEnd));
    }
    // Out-of-range indexes leave a list without selection.
    m_formulaBox->setCurrentIndex(f.formula < m_formulaBox->count() ? f.formula : -1);
    m_coloringBox->setCurrentIndex(f.coloring < m_coloringBox->count() ? f.coloring : -1);
    RefreshSelections();
    SetText(kIdNumColors, QString::fromStdString(FormatInt(f.limit)));
    if (f.exactConstant)
        FillConstant(*f.exactConstant);
    else
        FillConstant(f.constant);
}

void CFractalDlg::FillConstant(const CFractValue& constant)
{
    SetText(kIdCRe, Real(constant.m_z.real()));
    SetText(kIdCIm, Real(constant.m_z.imag()));
}

void CFractalDlg::FillConstant(const PointTexts& constant)
{
    SetText(kIdCRe, Plain(constant.re));
    SetText(kIdCIm, Plain(constant.im));
}

}  // namespace korvanta
