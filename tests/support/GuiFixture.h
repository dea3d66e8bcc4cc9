#pragma once

#include "gui/dialog/FractalDlg.h"
#include "gui/render/FractalWnd.h"
#include "gui/resources/ControlIds.h"
#include "gui/shell/AppPaths.h"
#include "gui/shell/Prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Readable strings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace korvanta::test {

// Collects message texts instead of opening boxes, and answers file dialogs from a queue
// (an empty queue is a cancel).
class RecordingPrompter : public Prompter {
public:
    QStringList messages;
    QList<FileChoice> answers;
    QStringList filtersAsked;

    QStringList questions;
    QList<bool> confirmations;  // answers to questions in turn; yes when none is left

    void Message(QWidget*, const QString& text) override { messages << text; }
    bool Confirm(QWidget*, const QString& question) override
    {
        questions << question;
        return confirmations.isEmpty() || confirmations.takeFirst();
    }
    std::optional<FileChoice> SaveFile(QWidget*, const QString& filters) override
    {
        filtersAsked << filters;
        if (answers.isEmpty())
            return std::nullopt;
        return answers.takeFirst();
    }
    std::optional<QString> OpenFile(QWidget*, const QString& filter) override
    {
        filtersAsked << filter;
        if (answers.isEmpty())
            return std::nullopt;
        return answers.takeFirst().path;
    }
};

// Processes events until `done` holds or the time runs out; says whether it held.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A control dialog as the program starts it, with its messages recorded.
class GuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_previous = Prompter::Install(&prompts);
        // Every test starts as on a first start.
        QDir(UserDataDir()).removeRecursively();
        UserDataDir();
        dialog = std::make_unique<CFractalDlg>();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    void TearDown() override
    {
        dialog.reset();
        Prompter::Install(m_previous);
    }

    QLineEdit* Edit(int id) { return dialog->Edit(id); }
    QComboBox* Combo(int id) { return qobject_cast<QComboBox*>(dialog->Control(id)); }
    QCheckBox* Check(int id) { return qobject_cast<QCheckBox*>(dialog->Control(id)); }

    // Chooses a list entry as the user would.
    void Choose(int id, int index)
    {
        Combo(id)->setCurrentIndex(index);
        emit Combo(id)->activated(index);
    }

    void SetArea(const char* xStart, const char* xEnd, const char* yStart, const char* yEnd)
    {
        Edit(kIdXStart)->setText(xStart);
        Edit(kIdXEnd)->setText(xEnd);
        Edit(kIdYStart)->setText(yStart);
        Edit(kIdYEnd)->setText(yEnd);
    }

    void SetSize(const char* width, const char* height)
    {
        Edit(kIdWidth)->setText(width);
        Edit(kIdHeight)->setText(height);
    }

    // Presses Render; returns the window it opened, or null.
    CFractalWnd* Render()
    {
        const std::size_t before = dialog->RenderWindows().size();
        dialog->OnRender();
        return dialog->RenderWindows().size() > before ? dialog->RenderWindows().back() : nullptr;
    }

    RecordingPrompter prompts;
    std::unique_ptr<CFractalDlg> dialog;

private:
    Prompter* m_previous = nullptr;
};

}  // namespace korvanta::test
