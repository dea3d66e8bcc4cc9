#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace korvanta {

// Every message box goes through here, so tests can read the texts without a modal loop.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A warning box with an OK button, captioned with the program's name.
    virtual void Message(QWidget* parent, const QString& text) = 0;

    struct FileChoice {
        QString path;
        int filter = 1;  // the chosen filter, counted from 1
    };
    // A yes-or-no question, "no" by default; true for yes.
    virtual bool Confirm(QWidget* parent, const QString& question) = 0;

    // Save and open file dialogs; empty when the user cancelled. Filters are separated by ";;".
    // Neither insists on an existing file or asks about replacing one: the caller completes
    // the name first and then checks it.
    virtual std::optional<FileChoice> SaveFile(QWidget* parent, const QString& filters) = 0;
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& filter) = 0;

    static Prompter& Current();
    // Replaces the prompter (null restores the real one); returns the previous one.
    static Prompter* Install(Prompter* prompter);
};

// Gives a dialog about to open the stay-on-top state of any shown window that has it (the
// control window with On Top set), so that the dialog does not open behind it.
void KeepAboveOnTopWindows(QWidget& dialog);

// The question before a save replaces a file, as file dialogs ask it.
QString ReplaceQuestion(const QString& path);

// The real thing: a modal QMessageBox.
class BoxPrompter : public Prompter {
public:
    void Message(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& question) override;
    std::optional<FileChoice> SaveFile(QWidget* parent, const QString& filters) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& filter) override;
};

}  // namespace korvanta
