// Korvanta: starts the control window, which runs for the whole life of the program.
#include "gui/dialog/FractalDlg.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvanta");
    QApplication::setOrganizationName("Korvanta");
    // Render windows outlive no dialog: the program ends with the control window.
    QApplication::setQuitOnLastWindowClosed(false);

    // The first argument that is not a switch names a document or macro to open.
    QString file;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (!args[i].startsWith('-')) {
            file = args[i];
            break;
        }
    }

    korvanta::CFractalDlg dialog(file);
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
