#include "gui/dialog/FractalDlg.h"

#include "core/colorings/ColoringList.h"
#include "core/formulas/FormulaList.h"
#include "gui/resources/ControlIds.h"
#include "gui/resources/Strings.h"
#include "gui/shell/Prompter.h"

#include <QComboBox>
#include <QLineEdit>

namespace korvanta {

namespace {

// Every empty slot of `prototypes` gets a fresh object of the class at its index.
template <class T, class Create>
void FillSlots(std::vector<std::unique_ptr<T>>& prototypes, std::size_t count, Create create,
               QWidget* parent, const char* error)
{
    if (prototypes.size() < count)
        prototypes.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (prototypes[i])
            continue;
        prototypes[i] = create(static_cast<std::int32_t>(i));
        if (!prototypes[i])
            Prompter::Current().Message(parent, error);
    }
}

}  // namespace

void CFractalDlg::AddAlg()
{
    FillSlots(m_algorithms, FormulaClasses().size(), CreateFormula, this, strings::kAddAlgError);
}

void CFractalDlg::AddCol()
{
    FillSlots(m_colorings, ColoringClasses().size(), CreateColoring, this, strings::kAddColError);
}

void CFractalDlg::OnSelchangeAlgorithm()
{
    const int selection = m_formulaBox->currentIndex();
    if (selection < 0)
        return;
    if (static_cast<std::size_t>(selection) >= m_algorithms.size())
        return Prompter::Current().Message(this, strings::kAlgSelectionError);
    UpdateConstantState();
}

void CFractalDlg::OnSelchangeColoring()
{
    const int selection = m_coloringBox->currentIndex();
    if (selection < 0)
        return;
    if (static_cast<std::size_t>(selection) >= m_colorings.size())
        return Prompter::Current().Message(this, strings::kColSelectionError);
    UpdateColorsState();
    if (const auto& col = m_colorings[selection])
        SetText(kIdNumColors, QString::number(col->GetNumColors()));
}

void CFractalDlg::UpdateControlStates()
{
    UpdateConstantState();
    UpdateColorsState();
}

void CFractalDlg::UpdateConstantState()
{
    const int formula = m_formulaBox->currentIndex();
    if (formula >= 0 && static_cast<std::size_t>(formula) < m_algorithms.size() &&
        m_algorithms[formula]) {
        const bool usesC = m_algorithms[formula]->UsesConstant();
        Control(kIdCRe)->setEnabled(usesC);
        Control(kIdCIm)->setEnabled(usesC);
    }
}

void CFractalDlg::UpdateColorsState()
{
    const int coloring = m_coloringBox->currentIndex();
    if (coloring >= 0 && static_cast<std::size_t>(coloring) < m_colorings.size() &&
        m_colorings[coloring]) {
        const bool settable = m_colorings[coloring]->CanSetNumColors();
        Control(kIdNumColors)->setEnabled(settable);
        Control(kIdUpDown)->setEnabled(settable);
    }
}

void CFractalDlg::RefreshSelections()
{
    OnSelchangeColoring();
    OnSelchangeAlgorithm();
}

}  // namespace korvanta
