#include "gui/dialog/FractalDlg.h"

#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/Help.h"
#include "gui/shell/MacroEngine.h"
#include "gui/shell/Prompter.h"

#include <QCheckBox>
#include <QCloseEvent>

namespace korvanta {

namespace {

constexpr const char* kRecordFilter = "Korvanta macro (*.frm)";
constexpr const char* kPlayFilter = "Korvanta Macro File (*.Frm)";
constexpr const char* kWriteFailed = "Could not write the macro file; the recording has stopped";

// Names lacking the macro extension get ".FRM", as typed otherwise.
QString WithMacroExtension(const QString& path)
{
    return path.right(4).toUpper() == ".FRM" ? path : path + ".FRM";
}

}  // namespace

void CFractalDlg::CreateMacroEngine()
{
    m_macros = new MacroEngine(
        this, [this] { return QList<QWidget*>(m_renderWindows.begin(), m_renderWindows.end()); });
    // A training card's page comes back once its sample has run.
    connect(m_macros, &MacroEngine::playbackEnded, this, [] {
        if (QWidget* help = LastHelpWindow())
            help->showNormal();
    });
    connect(m_macros, &MacroEngine::recordingFailed, this,
            [this] { Prompter::Current().Message(this, kWriteFailed); });
}

// The window manager's close is the way out of a playback that cannot fail: it comes from
// outside the program's input, which a playback holds off.
void CFractalDlg::closeEvent(QCloseEvent* event)
{
    if (m_macros->CurrentState() == MacroEngine::State::Playing) {
        m_macros->CancelPlayback();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CFractalDlg::OnStartRecord()
{
    if (m_macros->CurrentState() != MacroEngine::State::Idle)
        return;
    const auto choice = Prompter::Current().SaveFile(this, kRecordFilter);
    if (!choice)
        return;
    QString error;
    if (!m_macros->StartRecording(WithMacroExtension(choice->path), error))
        Prompter::Current().Message(this, error);
}

void CFractalDlg::OnStopRecord()
{
    m_macros->StopRecording();
}

void CFractalDlg::OnStartPlayback()
{
    if (m_macros->CurrentState() != MacroEngine::State::Idle)
        return;
    if (const auto chosen = Prompter::Current().OpenFile(this, kPlayFilter))
        PlayMacroFile(WithMacroExtension(*chosen));
}

void CFractalDlg::PlayMacroFile(const QString& path)
{
    if (m_macros->CurrentState() != MacroEngine::State::Idle)
        return;
    QString error;
    if (!m_macros->Play(path, error))
        Prompter::Current().Message(this, error);
}

// A training card of the guide: the help steps aside and a sample macro shows the way.
void CFractalDlg::OnTrainingCard(int action)
{
    emit trainingCardRequested(action);
    if (QWidget* help = LastHelpWindow())
        help->showMinimized();
    raise();
    activateWindow();
    if (action == 3)
        qobject_cast<QCheckBox*>(Control(kIdShowValues))->setChecked(false);
    if (action >= 1 && action <= 3)
        PlayMacroFile(SampleMacroPath(action));
}

}  // namespace korvanta
