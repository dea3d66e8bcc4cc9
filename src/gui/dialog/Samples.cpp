#include "gui/dialog/FractalDlg.h"

#include "core/scenes/SampleScenes.h"

#include <QComboBox>

namespace korvanta {

// Fills every field from the chosen row without rendering.
void CFractalDlg::OnSelchangeSamples()
{
    const int index = m_samplesBox->currentIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < kSampleScenes.size())
        FillFromFields(FieldsOf(kSampleScenes[index]), true);
}

}  // namespace korvanta
