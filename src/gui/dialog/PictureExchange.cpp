#include "gui/dialog/FractalDlg.h"

#include "core/exchange/LocationFields.h"
#include "core/exchange/LocationFileIo.h"
#include "core/files/PictureParameters.h"
#include "core/render/DeepRequest.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/Prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

namespace korvanta {

namespace {

constexpr const char* kLocationFilters = "Location File (*.kfr *.txt);;TOML Location (*.toml);;All Files (*)";

bool HasSuffix(const QString& path, const char* suffix)
{
    return path.endsWith(suffix, Qt::CaseInsensitive);
}

// A text that means to be a location, as opposed to a number pasted into a field.
bool LooksLikeLocation(const QString& text)
{
    return text.contains('\n') && (text.contains("Re:") || text.contains("[location]") || text.contains("location."));
}

}  // namespace

void CFractalDlg::FillFromFields(RenderFields f, bool withOnTop)
{
    f = WithPlainDeepTexts(std::move(f));
    RefreshMembers();
    if (!withOnTop)
        f.onTop = m_bOnTop;
    SetText(kIdNumColors, QString::fromStdString(f.colors));
    SetText(kIdCRe, QString::fromStdString(f.cRe));
    SetText(kIdCIm, QString::fromStdString(f.cIm));
    SetText(kIdXStart, QString::fromStdString(f.xStart));
    SetText(kIdXEnd, QString::fromStdString(f.xEnd));
    SetText(kIdYStart, QString::fromStdString(f.yStart));
    SetText(kIdYEnd, QString::fromStdString(f.yEnd));
    m_formulaBox->setCurrentIndex(f.formula);
    m_coloringBox->setCurrentIndex(f.coloring);
    m_bAspectRatio = f.aspectRatio;
    m_bShowValues = f.showValues;
    m_strWidth = QString::fromStdString(f.width);
    m_strHeight = QString::fromStdString(f.height);
    m_bOnTop = f.onTop;
    UpdateControlStates();
    DoDataExchange(false);
}

bool CFractalDlg::OpenPictureParameters(const QString& path)
{
    FileSource png(QFile::encodeName(path).toStdString());
    if (!png.IsOpen()) {
        Prompter::Current().Message(this, QString("Unable to open file \"%1\"").arg(path));
        return false;
    }
    const auto read = ReadPngParameters(png);
    if (const auto* problem = std::get_if<std::string>(&read)) {
        Prompter::Current().Message(this, QString::fromStdString(*problem));
        return false;
    }
    FillFromFields(std::get<RenderFields>(read));
    return true;
}

bool CFractalDlg::FillFromLocation(const std::variant<Location, std::string>& location)
{
    RefreshMembers();
    const auto fields = std::holds_alternative<Location>(location)
                            ? FieldsFromLocation(std::get<Location>(location), Fields())
                            : std::variant<RenderFields, std::string>(std::get<std::string>(location));
    if (const auto* problem = std::get_if<std::string>(&fields)) {
        Prompter::Current().Message(this, QString::fromStdString(*problem));
        return false;
    }
    FillFromFields(std::get<RenderFields>(fields));
    return true;
}

void CFractalDlg::OnImportLocation()
{
    if (const auto chosen = Prompter::Current().OpenFile(this, kLocationFilters))
        FillFromLocation(ReadLocationFile(QFile::encodeName(*chosen).toStdString()));
}

void CFractalDlg::OnExportLocation()
{
    RefreshMembers();
    const auto location = LocationOfFields(Fields());
    if (const auto* problem = std::get_if<std::string>(&location)) {
        Prompter::Current().Message(this, QString::fromStdString(*problem));
        return;
    }
    const auto chosen = Prompter::Current().SaveFile(this, kLocationFilters);
    if (!chosen)
        return;
    QString path = chosen->path;
    // The form follows the filter chosen, unless the name already says it.
    if (chosen->filter == 2 && !HasSuffix(path, ".toml"))
        path += ".toml";
    else if (chosen->filter == 1 && !HasSuffix(path, ".kfr") && !HasSuffix(path, ".txt"))
        path += ".kfr";
    if (QFile::exists(path) && !Prompter::Current().Confirm(this, ReplaceQuestion(path)))
        return;
    const std::string problem = WriteLocationFile(QFile::encodeName(path).toStdString(), std::get<Location>(location));
    if (!problem.empty())
        Prompter::Current().Message(this, QString::fromStdString(problem));
}

std::optional<bool> CFractalDlg::FillFromText(const QString& text)
{
    const std::string utf8 = text.toStdString();
    if (text.contains(kParametersKeyword)) {
        const auto read = ReadParametersText(utf8);
        if (const auto* problem = std::get_if<std::string>(&read)) {
            Prompter::Current().Message(this, QString::fromStdString(*problem));
            return false;
        }
        FillFromFields(std::get<RenderFields>(read));
        return true;
    }
    if (!LooksLikeLocation(text))
        return std::nullopt;
    return FillFromLocation(ReadLocation(utf8));
}

bool CFractalDlg::PasteLocation()
{
    const QClipboard* clipboard = QApplication::clipboard();
    if (const QMimeData* data = clipboard->mimeData(); data && data->hasUrls() && !data->urls().isEmpty() &&
                                                      data->urls().front().isLocalFile()) {
        OpenAnyFile(data->urls().front().toLocalFile());
        return true;
    }
    return FillFromText(clipboard->text()).has_value();
}

void CFractalDlg::OpenAnyFile(const QString& path)
{
    if (HasSuffix(path, ".fra"))
        OpenDocumentFile(path);
    else if (HasSuffix(path, ".frm"))
        PlayMacroFile(path);
    else if (HasSuffix(path, ".png"))
        OpenPictureParameters(path);
    else
        FillFromLocation(ReadLocationFile(QFile::encodeName(path).toStdString()));
}

void CFractalDlg::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* data = event->mimeData();
    if ((data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile()) || data->hasText())
        event->acceptProposedAction();
}

// The drop is answered first: a message box in the middle of it would hold up the program
// the drag came from.
void CFractalDlg::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    event->acceptProposedAction();
    const bool isFile = data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile();
    const QString dropped = isFile ? data->urls().front().toLocalFile() : data->text();
    QMetaObject::invokeMethod(
        this,
        [this, isFile, dropped] {
            if (isFile)
                OpenAnyFile(dropped);
            else if (!FillFromText(dropped))
                Prompter::Current().Message(this, "The dropped text is neither a location nor a picture's parameters");
        },
        Qt::QueuedConnection);
}

}  // namespace korvanta
