#include "tools/monkey/Injection.h"

#include "tools/monkey/ActionLog.h"

#include <QFile>
#include <QStringList>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace korvanta::monkey {

bool IsInjectable(const QString& kind)
{
    return QStringList{"hang", "crash", "abort", "warning", "leftover"}.contains(kind);
}

void InjectFault(const QString& kind, int hangMs, const QString& sandboxTemp)
{
    ActionLog::Note("inject a fault: " + kind.toStdString());
    if (kind == "hang") {
        std::this_thread::sleep_for(std::chrono::milliseconds(hangMs + 1000));
    } else if (kind == "crash") {
        std::raise(SIGSEGV);
    } else if (kind == "abort") {
        std::abort();
    } else if (kind == "warning") {
        qWarning("QObject::connect: No such signal Injected::nothing()");
    } else if (kind == "leftover") {
        QFile file(sandboxTemp + "/qt_temp.Injected");
        file.open(QIODevice::WriteOnly);
    }
}

}  // namespace korvanta::monkey
