// Korvanta: starts the control window, which runs for the whole life of the program.
#include "gui/dialog/FractalDlg.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <optional>

namespace {

void Describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription("Explore escape-time and Newton fractals: set a picture's parameters in the "
                                     "control window and render it in a window of its own.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("file", "A Korvanta document (.fra) or macro (.frm) to open.",
                                 "[file]");
}

void NameTheProgram()
{
    QCoreApplication::setApplicationName("Korvanta");
    QCoreApplication::setOrganizationName("Korvanta");
    QCoreApplication::setApplicationVersion(KORVANTA_VERSION);
}

// Whether the window system could be reached at all. Without any of these Qt ends the
// process with an abort while making the application.
bool MayHaveADisplay(const QStringList& arguments)
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(variable))
            return true;
    for (const QString& argument : arguments)
        for (const char* option : {"-platform", "--platform", "-display", "--display"})
            if (argument == option || argument.startsWith(QString(option) + '='))
                return true;
    return false;
}

// --help and --version on a text console or over ssh: answered before any window system is
// touched. Returns the exit status when the program is to end here.
std::optional<int> AnswerWithoutDisplay(int argc, char* argv[])
{
    QCoreApplication console(argc, argv);
    NameTheProgram();
    QCommandLineParser parser;
    Describe(parser);
    // Qt's own options (-platform, -style...) are unknown here; QApplication takes them out
    // before the real parse, so only a parse that cannot reach that one reports them.
    const bool parsed = parser.parse(QCoreApplication::arguments());
    const bool display = MayHaveADisplay(QCoreApplication::arguments());
    // Qt's own options, which --help-all adds, are of no use without a display.
    if (parser.isSet("help") || (parser.isSet("help-all") && !display))
        parser.showHelp(0);
    if (parser.isSet("version"))
        parser.showVersion();
    if (!parsed && !display) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(parser.errorText()));
        return 1;
    }
    // Said plainly, instead of the abort the window system's absence would end in.
    if (!display) {
        std::fprintf(stderr,
                     "korvanta: no display to open the explorer on (DISPLAY and WAYLAND_DISPLAY are "
                     "not set); korvanta-render renders pictures without one\n");
        return 1;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = AnswerWithoutDisplay(argc, argv))
        return *status;

    QApplication app(argc, argv);
    NameTheProgram();
    // Ties the windows to the desktop entry: its name and icon in task bars and docks.
    QApplication::setDesktopFileName(KORVANTA_APP_ID);
    // Render windows outlive no dialog: the program ends with the control window.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    Describe(parser);
    // Exits on unknown options, before any window exists.
    parser.process(app);

    const QString file = parser.positionalArguments().value(0);

    korvanta::CFractalDlg dialog(file);
    QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
