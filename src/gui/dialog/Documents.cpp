#include "gui/dialog/FractalDlg.h"

#include "core/archive/Archive.h"
#include "core/render/ClassRegistry.h"
#include "core/files/InputFile.h"
#include "core/files/PictureExport.h"
#include "core/files/RenderRecord.h"
#include "core/render/RowWorkers.h"
#include "gui/render/FractalWnd.h"
#include "gui/overlay/ValueOverlay.h"
#include "gui/shell/IdleDriver.h"
#include "gui/shell/Prompter.h"

#include <QFileInfo>

#include <fstream>

namespace korvanta {

namespace {

constexpr const char* kLoadFilter = "Korvanta File (*.fra);;Korvanta Picture (*.png)";
constexpr const char* kNotADocument = "Not a Korvanta file or file corrupted!";
constexpr const char* kFailureReading = "Failure reading file!";

}  // namespace

void CFractalDlg::OpenDocument(Archive& ar)
{
    LoadedRecord loaded;
    try {
        loaded = ReadRenderRecord(ar, BuildValueOverlay);
    } catch (const ArchiveError& e) {
        if (e.kind() == ArchiveError::Kind::NotADocument)
            Prompter::Current().Message(this, kNotADocument);
        throw;
    }
    loaded.job->SetDialog(this);
    auto* window = new CFractalWnd(std::move(loaded.job));
    window->OpenAt(loaded.placement);
    window->Job().EnableLookAhead(*m_workers);
    m_renderWindows.push_back(window);
    m_idle->Wake();
}

bool CFractalDlg::OpenDocumentFile(const QString& path)
{
    std::ifstream in;
    if (!OpenInputFile(in, QFile::encodeName(path).toStdString())) {
        Prompter::Current().Message(this, QString("Unable to open file \"%1\"").arg(path));
        return false;
    }
    try {
        Archive ar(in, FindRegisteredClass);
        OpenDocument(ar);
        return true;
    } catch (const std::exception&) {
        Prompter::Current().Message(this, kFailureReading);
        return false;
    }
}

void CFractalDlg::OnLoad()
{
    const auto chosen = Prompter::Current().OpenFile(this, kLoadFilter);
    if (!chosen)
        return;
    if (chosen->endsWith(".png", Qt::CaseInsensitive)) {
        OpenPictureParameters(*chosen);
        return;
    }
    OpenDocumentFile(QString::fromStdString(WithExtension(chosen->toStdString(), SaveFormat::Document)));
}

// A document named on the command line opens under its name as given, a macro plays, a PNG
// or a location file fills the fields; anything else is ignored.
void CFractalDlg::OpenCommandFile()
{
    for (const char* known : {".fra", ".frm", ".png", ".kfr", ".toml"})
        if (m_strOpenFile.endsWith(known, Qt::CaseInsensitive))
            return OpenAnyFile(m_strOpenFile);
}

}  // namespace korvanta
