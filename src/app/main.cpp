// Korvanta: starts the control window, which runs for the whole life of the program.
#include "gui/dialog/FractalDlg.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvanta");
    QApplication::setOrganizationName("Korvanta");
    QApplication::setApplicationVersion(KORVANTA_VERSION);
    // Ties the windows to the desktop entry: its name and icon in task bars and docks.
    QApplication::setDesktopFileName(KORVANTA_APP_ID);
    // Render windows outlive no dialog: the program ends with the control window.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.setApplicationDescription("Explore escape-time and Newton fractals: set a picture's parameters in the "
                                     "control window and render it in a window of its own.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A Korvanta document (.fra) or macro (.frm) to open.",
                                 "[file]");
    // Exits on --help, --version and unknown options, before any window exists.
    parser.process(app);

    const QString file = parser.positionalArguments().value(0);

    korvanta::CFractalDlg dialog(file);
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
