#pragma once

#include <QString>

namespace korvanta::monkey {

// Ends the run at the first finding: what it was, the last actions and the seed, exit 1.
[[noreturn]] void ReportFinding(const QString& what);

// Crashes, aborts, sanitizer deaths and Qt's warnings about deleted objects, bad
// connections and the like become findings; other Qt messages only go to the log.
void WatchForFindings();

// Whether a Qt warning names a fault of the program: a bad connection, a deleted object...
bool IsFaultMessage(const QString& message);

}  // namespace korvanta::monkey
