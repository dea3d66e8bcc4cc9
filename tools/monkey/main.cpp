// korvanta-monkey: drives the explorer with random, plausible input from a seed until the
// first finding (crash, sanitizer report, Qt fault warning, hang, stray or leftover file,
// desktop that does not come back), which it reports with the seed and the last actions.
#include "tools/monkey/ActionLog.h"
#include "tools/monkey/Findings.h"
#include "tools/monkey/Injection.h"
#include "tools/monkey/Monkey.h"
#include "tools/monkey/Options.h"
#include "tools/monkey/Sandbox.h"
#include "tools/monkey/Watchdog.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    using namespace korvanta::monkey;
    std::string error;
    const std::optional<Options> options = ParseOptions(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "korvanta-monkey: %s\n", error.c_str());
        return 2;
    }
    if (!options->inject.empty() && !IsInjectable(QString::fromStdString(options->inject))) {
        std::fprintf(stderr, "korvanta-monkey: no fault named %s to inject\n", options->inject.c_str());
        return 2;
    }
    if (!options->log.empty() && !ActionLog::Open(options->log)) {
        std::fprintf(stderr, "korvanta-monkey: cannot write %s\n", options->log.c_str());
        return 2;
    }
    ActionLog::SetSeed(options->seed);

    Sandbox sandbox;
    if (!sandbox.IsValid()) {
        std::fprintf(stderr, "korvanta-monkey: cannot make a sandbox folder\n");
        return 2;
    }
    sandbox.Enter();
    ActionLog::Say(("korvanta-monkey: sandbox " + sandbox.Root().toStdString() + "\n").c_str());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    WatchForFindings();
    QApplication app(argc, argv);
    // The explorer's names, so its per-user places are the ones it uses in the field.
    QCoreApplication::setApplicationName("Korvanta");
    QCoreApplication::setOrganizationName("Korvanta");
    QApplication::setQuitOnLastWindowClosed(false);

    {
        const Watchdog watchdog(options->hangMs);
        Monkey monkey(*options, sandbox);
        monkey.Run();
    }
    if (options->keep)
        sandbox.Keep();
    return 0;
}
