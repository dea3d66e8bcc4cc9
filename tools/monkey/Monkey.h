#pragma once

#include "tools/monkey/Dice.h"
#include "tools/monkey/DesktopSnapshot.h"
#include "tools/monkey/Options.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>

#include <memory>
#include <optional>

class QWidget;

namespace korvanta {
class CFractalDlg;
}

namespace korvanta::monkey {

class MonkeyPrompter;
class Sandbox;

// Runs the explorer as main() does and takes one random action per tick: on the open popup,
// else the modal window, else one of the program's windows. Exits and restarts the control
// window in the same per-user folder, checking that the desktop comes back as it was saved.
class Monkey : public QObject {
public:
    Monkey(const Options& options, Sandbox& sandbox);
    ~Monkey() override;

    // Runs to the end of the actions or the time; findings end the process before.
    void Run();

private:
    void ScheduleTick();
    void Tick();
    bool Done() const;
    void Finish();
    // Closes the innermost popup or modal window, whose loop runs this tick.
    void CloseNestedLoop();
    void Start();
    void Restart();
    void OnDialogFinished();

    // The actions, by where they go.
    void OnPopup(QWidget* popup);
    void OnModal(QWidget* modal);
    void OnControlWindow();
    void OnRenderWindow(QWidget* window);
    void OnHelpWindow(QWidget* window);
    void OnSomeWindow();
    void PressSomeKey();
    void TypeInto(QWidget* edit);
    void ClickSomewhere(QWidget* widget, Qt::MouseButton button = Qt::LeftButton);
    void ClickChild(QWidget* window, const char* className);
    QPoint SomePoint(const QWidget* widget);

    void Note(const QString& action);

    const Options& m_options;
    Sandbox& m_sandbox;
    Dice m_dice;
    std::unique_ptr<MonkeyPrompter> m_prompter;
    bool m_ending = false;
    QElapsedTimer m_clock;
    long m_actions = 0;
    long m_restarts = 0;
    int m_depth = 0;  // ticks under way: a nested loop runs ticks of its own
    CFractalDlg* m_dialog = nullptr;
    // What the last exit saved, when it saved without a word to the user.
    std::optional<DesktopSnapshot> m_saved;
    // The last exit kept no desktop: the next start must open no render window.
    bool m_expectFirstStart = false;
    bool m_finished = false;  // the control window exited; the restart is due
    long m_askedAtTick = 0;
};

}  // namespace korvanta::monkey
