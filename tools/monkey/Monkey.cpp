#include "tools/monkey/Monkey.h"

#include "gui/dialog/FractalDlg.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/AppPaths.h"
#include "gui/shell/Help.h"
#include "gui/shell/MacroEngine.h"
#include "tools/monkey/ActionLog.h"
#include "tools/monkey/Findings.h"
#include "tools/monkey/Injection.h"
#include "tools/monkey/MonkeyPrompter.h"
#include "tools/monkey/Sandbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace korvanta::monkey {

namespace {

// Late enough for windows, menus and dialogs to be open.
constexpr long kInjectAt = 60;

// Only the application's own loop may restart or end the run: below a menu's or a
// dialog's loop, the objects of that loop would be deleted under it.
bool AtTopLevel(int depth)
{
    return depth == 1 && QThread::currentThread()->loopLevel() == 1;
}

}  // namespace

Monkey::Monkey(const Options& options, Sandbox& sandbox)
    : m_options(options), m_sandbox(sandbox), m_dice(options.seed)
{
}

Monkey::~Monkey()
{
    Prompter::Install(nullptr);
}

void Monkey::Note(const QString& action)
{
    ActionLog::Note(action.toStdString());
}

void Monkey::Run()
{
    if (!m_options.helpDir.empty())
        SetHelpFolder(QString::fromStdString(m_options.helpDir));
    m_prompter = std::make_unique<MonkeyPrompter>(m_dice, m_sandbox.Files(),
                                                  QString::fromStdString(m_options.corpus));
    Prompter::Install(m_prompter.get());
    Start();
    m_clock.start();
    ScheduleTick();
    QApplication::exec();

    if (const QStringList outside = m_sandbox.NewOutside(); !outside.isEmpty())
        ReportFinding("written outside the sandbox: " + outside.join(", "));
    if (const QStringList left = m_sandbox.LeftoverTemporaries(); !left.isEmpty())
        ReportFinding("temporary files left behind: " + left.join(", "));
    ActionLog::Say(QString("korvanta-monkey: %1 actions, %2 restarts, no finding\n")
                       .arg(m_actions)
                       .arg(m_restarts)
                       .toLocal8Bit()
                       .constData());
}

void Monkey::Start()
{
    Note("start the explorer");
    m_dialog = new CFractalDlg();
    // No browser or mail program is started.
    m_dialog->m_openUrl = [this](const QUrl& url) {
        Note("  url opener got " + url.toString().left(120));
        return m_dice.Chance(80);
    };
    connect(m_dialog, &QDialog::finished, this, &Monkey::OnDialogFinished);
    m_dialog->show();
    m_dialog->activateWindow();
}

void Monkey::OnDialogFinished()
{
    m_finished = true;
    m_saved.reset();
    const DesktopSnapshot shot = DesktopSnapshot::Of(*m_dialog);
    // A save that had something to say (a failure, a question) may have kept the old file.
    if (shot.desktop && m_prompter->Asked() == m_askedAtTick)
        m_saved = shot;
    m_expectFirstStart = !shot.desktop;
    Note(QString("  the explorer exited with %1 render windows, desktop %2")
             .arg(shot.pictures.size())
             .arg(shot.desktop ? "kept" : "not kept"));
}

void Monkey::Restart()
{
    m_finished = false;
    ++m_restarts;
    delete m_dialog;
    m_dialog = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (const QStringList left = m_sandbox.LeftoverTemporaries(); !left.isEmpty())
        ReportFinding("temporary files left behind after an exit: " + left.join(", "));
    if (m_dice.Chance(10)) {
        // A desktop from the fuzz corpus in place of the saved one: no comparison then.
        const QStringList corpus = QDir(QString::fromStdString(m_options.corpus) + "/desktop")
                                       .entryList(QDir::Files, QDir::Name);
        if (!corpus.isEmpty()) {
            const QString chosen = m_dice.Pick(corpus);
            Note("restart with the corpus desktop " + chosen);
            QFile::remove(DesktopFilePath());
            QFile::copy(QString::fromStdString(m_options.corpus) + "/desktop/" + chosen, DesktopFilePath());
            QFile::setPermissions(DesktopFilePath(), QFile::ReadOwner | QFile::WriteOwner);
            m_saved.reset();
            m_expectFirstStart = false;
        }
    }
    Start();
    const DesktopSnapshot restored = DesktopSnapshot::Of(*m_dialog);
    if (m_saved) {
        if (const QString difference = FirstDifference(*m_saved, restored); !difference.isEmpty())
            ReportFinding("the restored desktop differs from the saved one: " + difference);
    } else if (m_expectFirstStart && !restored.pictures.empty()) {
        ReportFinding("a desktop not kept at exit came back with render windows");
    }
}

bool Monkey::Done() const
{
    if (m_options.actions > 0 && m_actions >= m_options.actions)
        return true;
    return m_options.minutes > 0 && m_clock.elapsed() > m_options.minutes * 60000;
}

// A timer of its own for every tick: Qt never fires a timer again while its own timeout
// runs, and a tick must run inside the menus and dialogs the previous one opened.
void Monkey::ScheduleTick()
{
    if (!m_ending)
        QTimer::singleShot(5, this, &Monkey::Tick);
}

void Monkey::Tick()
{
    ScheduleTick();
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
    } depth(m_depth);
    if (m_finished) {
        // The exit may have come from below a menu or dialog: those go first.
        if (AtTopLevel(m_depth))
            Restart();
        else
            CloseNestedLoop();
        return;
    }
    if (Done()) {
        Finish();
        return;
    }
    m_askedAtTick = m_prompter->Asked();
    ++m_actions;
    if (m_actions == kInjectAt && !m_options.inject.empty())
        InjectFault(QString::fromStdString(m_options.inject), m_options.hangMs, m_sandbox.Root() + "/tmp");
    if (QWidget* popup = QApplication::activePopupWidget())
        OnPopup(popup);
    else if (QWidget* modal = QApplication::activeModalWidget())
        OnModal(modal);
    else
        OnSomeWindow();
}

void Monkey::CloseNestedLoop()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        Note("close " + QString(popup->metaObject()->className()));
        popup->close();
    } else if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        Note("dismiss " + QString(modal->metaObject()->className()));
        modal->reject();
    }
}

// Closes what is open down to the application's loop, then ends the run.
void Monkey::Finish()
{
    if (m_dialog && m_dialog->Macros().CurrentState() == MacroEngine::State::Playing)
        m_dialog->Macros().CancelPlayback();
    if (!AtTopLevel(m_depth)) {
        CloseNestedLoop();
        return;
    }
    m_ending = true;
    Note("end the run");
    if (m_dialog)
        m_dialog->Macros().StopRecording();
    delete m_dialog;
    m_dialog = nullptr;
    CloseHelpWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::quit();
}

}  // namespace korvanta::monkey
