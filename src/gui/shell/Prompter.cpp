#include "gui/shell/Prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <memory>

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

void KeepAboveOnTopWindows(QWidget& dialog)
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window != &dialog && window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
            return;
        }
}

void BoxPrompter::Message(QWidget* parent, const QString& text)
{
    const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    KeepAboveOnTopWindows(box);
    box.exec();
}

bool BoxPrompter::Confirm(QWidget* parent, const QString& question)
{
    const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QMessageBox box(QMessageBox::Warning, caption, question, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    KeepAboveOnTopWindows(box);
    return box.exec() == QMessageBox::Yes;
}

QString ReplaceQuestion(const QString& path)
{
    return QString("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
}

namespace {

// Qt's own dialog: modal, so rendering pauses while it is open, and the same everywhere.
QFileDialog* MakeFileDialog(QWidget* parent, const QString& filters, QFileDialog::AcceptMode mode)
{
    auto* dialog = new QFileDialog(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters(filters.split(";;"));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    KeepAboveOnTopWindows(*dialog);
    return dialog;
}

}  // namespace

std::optional<Prompter::FileChoice> BoxPrompter::SaveFile(QWidget* parent, const QString& filters)
{
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(parent, filters, QFileDialog::AcceptSave));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return FileChoice{dialog->selectedFiles().first(),
                      static_cast<int>(dialog->nameFilters().indexOf(dialog->selectedNameFilter())) + 1};
}

std::optional<QString> BoxPrompter::OpenFile(QWidget* parent, const QString& filter)
{
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(parent, filter, QFileDialog::AcceptOpen));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().first();
}

}  // namespace korvanta
