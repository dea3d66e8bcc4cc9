#include "gui/dialog/FractalDlg.h"

#include "core/archive/Archive.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/render/ClassRegistry.h"
#include "gui/render/FractalWnd.h"
#include "gui/render/ScreenFit.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/AppPaths.h"
#include "gui/shell/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>

#include <fstream>

namespace korvanta {

namespace {

constexpr const char* kFailureWriting = "Failure Writing file!";
constexpr const char* kFailureReading = "Failure reading file!";

std::string Text(const QLineEdit* edit)
{
    return edit->text().toStdString();
}

}  // namespace

DesktopFields CFractalDlg::CurrentDesktopFields() const
{
    DesktopFields f;
    f.xStart = Text(Edit(kIdXStart));
    f.xEnd = Text(Edit(kIdXEnd));
    f.yStart = Text(Edit(kIdYStart));
    f.yEnd = Text(Edit(kIdYEnd));
    f.width = m_strWidth.toStdString();
    f.height = m_strHeight.toStdString();
    f.cIm = Text(Edit(kIdCIm));
    f.cRe = Text(Edit(kIdCRe));
    f.onTop = m_bOnTop;
    f.desktop = m_bDesktop;
    f.aspectRatio = m_bAspectRatio;
    f.showValues = m_bShowValues;
    f.colors = Text(Edit(kIdNumColors));
    f.formula = m_formulaBox->currentIndex();
    f.coloring = m_coloringBox->currentIndex();
    f.sample = m_samplesBox->currentIndex();
    f.placement = PlacementOf(*this);
    return f;
}

// In the order a restore applies them; the lists are set directly, without their reactions.
void CFractalDlg::ApplyDesktopFields(const DesktopFields& f)
{
    auto select = [](QComboBox* list, std::int32_t index) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    };
    select(m_formulaBox, f.formula);
    select(m_coloringBox, f.coloring);
    SetText(kIdXStart, QString::fromStdString(f.xStart));
    SetText(kIdXEnd, QString::fromStdString(f.xEnd));
    SetText(kIdYStart, QString::fromStdString(f.yStart));
    SetText(kIdYEnd, QString::fromStdString(f.yEnd));
    SetText(kIdCIm, QString::fromStdString(f.cIm));
    SetText(kIdCRe, QString::fromStdString(f.cRe));
    SetText(kIdNumColors, QString::fromStdString(f.colors));
    select(m_samplesBox, f.sample);
    PlaceWindow(*this, f.placement, false);
    DoDataExchange(false);
    RefreshMembers();
    ApplyOnTop();
}

void CFractalDlg::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar.Write(static_cast<std::uint32_t>(m_renderWindows.size()));
        for (const CFractalWnd* window : m_renderWindows)
            WriteRenderRecord(ar, window->Job(), window->Placement());
        DesktopFields fields = CurrentDesktopFields();
        TransferDesktopFields(ar, fields);
        return;
    }
    // Each record is read whole before its window opens, so a count that the file cannot
    // back fails at the first missing record and nothing is allocated for it.
    const auto count = ar.Read<std::uint32_t>();
    for (std::uint32_t i = 0; i < count; ++i)
        OpenDocument(ar);
    DesktopFields fields = CurrentDesktopFields();
    // The sizes and options read go straight into the members, also when the rest fails;
    // the texts and selections only once all was read.
    auto takeMembers = [&] {
        m_strWidth = QString::fromStdString(fields.width);
        m_strHeight = QString::fromStdString(fields.height);
        m_bOnTop = fields.onTop;
        m_bDesktop = fields.desktop;
        m_bAspectRatio = fields.aspectRatio;
        m_bShowValues = fields.showValues;
    };
    try {
        TransferDesktopFields(ar, fields);
    } catch (...) {
        takeMembers();
        throw;
    }
    takeMembers();
    ApplyDesktopFields(fields);
}

bool CFractalDlg::SaveOrRestoreDesktop(bool save)
{
    const QString path = DesktopFilePath();
    if (save) {
        if (!m_bDesktop) {
            QFile::remove(path);
            return true;
        }
        // Through a temporary file: a failed save leaves the previous desktop as it was.
        AtomicFile file(QFile::encodeName(path).toStdString());
        bool written = false;
        if (file.IsOpen()) {
            std::ofstream out(file.TempPath(), std::ios::binary | std::ios::trunc);
            try {
                Archive ar(out);
                Serialize(ar);
                out.close();
                written = out.good() && file.Commit();
            } catch (const std::exception&) {
            }
        }
        if (!written)
            Prompter::Current().Message(this, kFailureWriting);
        return written;
    }

    bool restored = false;
    std::ifstream in;
    if (!OpenInputFile(in, QFile::encodeName(path).toStdString())) {
        m_bDesktop = 0;
    } else {
        try {
            Archive ar(in, FindRegisteredClass);
            Serialize(ar);
            restored = true;
        } catch (const std::exception&) {
            Prompter::Current().Message(this, kFailureReading);
        }
    }
    DoDataExchange(false);
    UpdateControlStates();
    return restored;
}

}  // namespace korvanta
