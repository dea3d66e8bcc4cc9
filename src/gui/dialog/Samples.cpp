#include "gui/dialog/FractalDlg.h"

#include "core/scenes/SampleScenes.h"
#include "gui/resources/ControlIds.h"

#include <QComboBox>
#include <QLineEdit>

namespace korvanta {

// Fills every field from the chosen row without rendering. The selections are set without
// their handlers, so # Colors keeps the row's text; the Desktop box keeps its state, and On
// Top is only shown, not applied.
void CFractalDlg::OnSelchangeSamples()
{
    const int index = m_samplesBox->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= kSampleScenes.size())
        return;
    const SampleScene& row = kSampleScenes[index];
    RefreshMembers();
    SetText(kIdNumColors, row.colors);
    SetText(kIdCRe, row.cRe);
    SetText(kIdCIm, row.cIm);
    SetText(kIdXStart, row.xStart);
    SetText(kIdXEnd, row.xEnd);
    SetText(kIdYStart, row.yStart);
    SetText(kIdYEnd, row.yEnd);
    m_formulaBox->setCurrentIndex(row.formula);
    m_coloringBox->setCurrentIndex(row.coloring);
    m_bAspectRatio = row.aspectRatio;
    m_bShowValues = row.showValues;
    m_strWidth = row.width;
    m_strHeight = row.height;
    m_bOnTop = row.onTop;
    UpdateControlStates();
    DoDataExchange(false);
}

}  // namespace korvanta
