#pragma once

#include <QString>

class QWidget;

namespace korvanta {

// Every message box goes through here, so tests can read the texts without a modal loop.
class Prompter {
public:
    virtual ~Prompter() = default;
    // A warning box with an OK button, captioned with the program's name.
    virtual void Message(QWidget* parent, const QString& text) = 0;

    static Prompter& Current();
    // Replaces the prompter (null restores the real one); returns the previous one.
    static Prompter* Install(Prompter* prompter);
};

// The real thing: a modal QMessageBox.
class BoxPrompter : public Prompter {
public:
    void Message(QWidget* parent, const QString& text) override;
};

}  // namespace korvanta
