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
    Edit(kIdNumColors)->setText(row.colors);
    Edit(kIdCRe)->setText(row.cRe);
    Edit(kIdCIm)->setText(row.cIm);
    Edit(kIdXStart)->setText(row.xStart);
    Edit(kIdXEnd)->setText(row.xEnd);
    Edit(kIdYStart)->setText(row.yStart);
    Edit(kIdYEnd)->setText(row.yEnd);
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
