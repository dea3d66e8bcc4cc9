#pragma once

#include <QString>

namespace korvanta::monkey {

// Faults of each kind the monkey must report, made on purpose (--inject=KIND), so that a
// test can see every detector fire: hang, crash, abort, warning, leftover.
bool IsInjectable(const QString& kind);
void InjectFault(const QString& kind, int hangMs, const QString& sandboxTemp);

}  // namespace korvanta::monkey
