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
#include <QFileInfo>
#include <QLineEdit>

#include <cerrno>
#include <filesystem>
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

namespace {

QString Quoted(const QString& path)
{
    return "\"" + path + "\"";
}

QString ReasonOf(const std::error_code& error)
{
    return QString::fromStdString(error ? error.message() : std::string("input/output error"));
}

// A copy of a desktop that could not be read in full, beside it under a name no other copy
// has; empty when none could be made.
QString KeepDamagedCopy(const QString& path)
{
    for (int n = 1; n < 1000; ++n) {
        const QString copy = path + ".damaged" + (n == 1 ? QString() : QString("-%1").arg(n));
        if (QFileInfo::exists(copy))
            continue;
        return QFile::copy(path, copy) ? copy : QString();
    }
    return {};
}

}  // namespace

bool CFractalDlg::WriteDesktopFile(QString& reason)
{
    // Through a temporary file: a failed save leaves the previous desktop as it was.
    AtomicFile file(QFile::encodeName(DesktopFilePath()).toStdString());
    if (!file.IsOpen()) {
        reason = ReasonOf(file.Error());
        return false;
    }
    std::ofstream out(file.TempPath(), std::ios::binary | std::ios::trunc);
    try {
        errno = 0;
        Archive ar(out);
        Serialize(ar);
        out.close();
        if (!out.good()) {
            reason = ReasonOf({errno ? errno : EIO, std::generic_category()});
            return false;
        }
    } catch (const std::exception&) {
        reason = ReasonOf({errno ? errno : EIO, std::generic_category()});
        return false;
    }
    if (!file.Commit()) {
        reason = ReasonOf(file.Error());
        return false;
    }
    return true;
}

bool CFractalDlg::SaveOrRestoreDesktop(bool save)
{
    const QString path = DesktopFilePath();
    if (save) {
        if (m_desktopUnread && QFileInfo::exists(path)) {
            const QString question =
                QString("The desktop file %1 could not be read when Korvanta started.\n%2")
                    .arg(Quoted(path), m_bDesktop ? "Replace it with the desktop you have now?"
                                                  : "Delete it?");
            if (!Prompter::Current().Confirm(this, question))
                return true;  // left as it is; nothing stops the exit
        }
        if (!m_bDesktop) {
            std::error_code ignored;  // missing already, or a folder with things in it
            std::filesystem::remove(QFile::encodeName(path).toStdString(), ignored);
            return true;
        }
        QString reason;
        if (WriteDesktopFile(reason))
            return true;
        return Prompter::Current().Confirm(
            this, QString("%1\nThe desktop could not be saved to %2: %3.\n"
                          "Exit anyway? The open pictures will be lost.")
                      .arg(kFailureWriting, Quoted(path), reason));
    }

    bool restored = false;
    std::ifstream in;
    std::error_code error;
    if (!OpenInputFile(in, QFile::encodeName(path).toStdString(), &error)) {
        if (error == std::errc::no_such_file_or_directory) {
            m_bDesktop = 0;
        } else {
            // Not "no desktop": the user's file stays until they say otherwise.
            m_desktopUnread = true;
            Prompter::Current().Message(
                this, QString("The desktop file %1 could not be read: %2.\n"
                              "It is left as it is; Korvanta asks before it replaces or deletes it.")
                          .arg(Quoted(path), ReasonOf(error)));
        }
    } else {
        try {
            Archive ar(in, FindRegisteredClass);
            Serialize(ar);
            restored = true;
        } catch (const std::exception&) {
            in.close();
            const QString copy = KeepDamagedCopy(path);
            m_desktopUnread = copy.isEmpty();
            Prompter::Current().Message(
                this, QString("%1\nThe desktop file %2 is damaged; what could be read was restored.\n%3")
                          .arg(kFailureReading, Quoted(path),
                               copy.isEmpty() ? QString("Korvanta asks before it replaces it.")
                                              : QString("The damaged file is kept as %1.").arg(Quoted(copy))));
        }
    }
    DoDataExchange(false);
    UpdateControlStates();
    return restored;
}

}  // namespace korvanta
