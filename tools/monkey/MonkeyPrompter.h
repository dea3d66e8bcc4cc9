#pragma once

#include "gui/shell/Prompter.h"

#include <QStringList>

namespace korvanta::monkey {

class Dice;

// Answers every message box and file dialog at once, by chance: file names in the sandbox
// (existing, missing, read-only, a folder, very long, non-ASCII) and the fuzz corpora's
// files; a random button for questions.
class MonkeyPrompter : public Prompter {
public:
    MonkeyPrompter(Dice& dice, QString files, QString corpus);

    void Message(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& question) override;
    std::optional<FileChoice> SaveFile(QWidget* parent, const QString& filters) override;
    std::optional<QString> OpenFile(QWidget* parent, const QString& filter) override;

    // How many boxes and dialogs were answered so far.
    long Asked() const { return m_asked; }

private:
    QString SaveName();
    QString OpenName();
    QStringList Existing(const QString& folder) const;

    Dice& m_dice;
    QString m_files;
    QString m_corpus;
    long m_asked = 0;
};

}  // namespace korvanta::monkey
