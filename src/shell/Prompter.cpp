#include "shell/Prompter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace korvanta {

namespace {

Prompter* g_installed = nullptr;

}  // namespace

Prompter& Prompter::Current()
{
    static BoxPrompter real;
    return g_installed ? *g_installed : real;
}

Prompter* Prompter::Install(Prompter* prompter)
{
    Prompter* previous = g_installed;
    g_installed = prompter;
    return previous;
}

void BoxPrompter::Message(QWidget* parent, const QString& text)
{
    const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace korvanta
