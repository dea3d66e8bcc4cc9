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
    // Save and open file dialogs; empty when the user cancelled. Filters are separated by ";;".
    virtual std::optional<FileChoice> SaveFile(QWidget* parent, const QString& filters) = 0;
    virtual std::optional<QString> OpenFile(QWidget* parent, const QString& filter) = 0;

    static Prompter& Current();
    // Replaces the prompter (null restores the real one); returns the previous one.
    static Prompter* Install(Prompter* prompter);
};

// The real thing: a modal QMessageBox.
class BoxPrompter : public Prompter {
public:
    void Message(QWidget* parent, const QString& text) override;
    std::optional<FileChoice> SaveFile(QWidget* parent, const QString& filters) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& filter) override;
};

}  // namespace korvanta
