#include "tools/monkey/Findings.h"

#include "tools/monkey/ActionLog.h"

#include <QtGlobal>

#include <csignal>
#include <string>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define KORVANTA_MONKEY_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/common_interface_defs.h>
#define KORVANTA_MONKEY_SANITIZED 1
#endif
#endif

namespace korvanta::monkey {

namespace {

void OnFatalSignal(int number)
{
    ActionLog::Say("FINDING: fatal signal ");
    char digits[4] = {char('0' + number / 10 % 10), char('0' + number % 10), '\n', '\0'};
    ActionLog::Say(digits);
    ActionLog::Dump();
    ::_exit(1);
}

#ifdef KORVANTA_MONKEY_SANITIZED
void OnSanitizerDeath()
{
    ActionLog::Say("FINDING: sanitizer report (above)\n");
    ActionLog::Dump();
}
#endif

// The headless platform and a missing session bus or fonts are the test bench's.
bool IsBenchMessage(const QString& message)
{
    for (const char* bench : {"propagateSizeHints", "This plugin does not support", "QStandardPaths",
                              "D-Bus", "DBus", "QFont", "fontconfig", "xkbcommon"})
        if (message.contains(bench))
            return true;
    return false;
}

void OnQtMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg && IsBenchMessage(message))
        return;
    const bool fault = type == QtFatalMsg || type == QtCriticalMsg ||
                       (type == QtWarningMsg && IsFaultMessage(message));
    if (fault)
        ReportFinding("Qt said: " + message);
    if (type != QtDebugMsg && type != QtInfoMsg)
        ActionLog::Note("qt: " + message.toStdString());
}

}  // namespace

bool IsFaultMessage(const QString& message)
{
    for (const char* fault :
         {"QObject::", "deleted", "destroyed", "Cannot",
          "cannot", "Recursive repaint", "QPainter::", "QBackingStore", "ASSERT", "dangling",
          "Timers can", "another thread", "invalid", "Invalid", "null", "QWidget::"})
        if (message.contains(fault))
            return true;
    return false;
}

void ReportFinding(const QString& what)
{
    const std::string text = "FINDING: " + what.toStdString() + "\n";
    ActionLog::Say(text.c_str());
    ActionLog::Dump();
    ::_exit(1);
}

void WatchForFindings()
{
    struct sigaction action = {};
    action.sa_handler = OnFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (const int number : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        sigaction(number, &action, nullptr);
#ifdef KORVANTA_MONKEY_SANITIZED
    __sanitizer_set_death_callback(OnSanitizerDeath);
#endif
    qInstallMessageHandler(OnQtMessage);
}

}  // namespace korvanta::monkey
