#pragma once

#include "gui/shell/UrlOpener.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace korvanta {

class CHelpWindow;

// The help folder: beside the program (the build tree), else in the installed data folder
// (../share/korvanta/help from it as installed by default); empty when
// neither holds the guide. Tests point it elsewhere with SetHelpFolder.
QString HelpFolder();
void SetHelpFolder(const QString& folder);

// A sample macro (1 to 3), shipped beside the guide.
QString SampleMacroPath(int number);

// The window that the last help call opened; empty after a call that showed nothing.
QPointer<QWidget>& LastHelpWindow();

// Shows popup topic `topic` beside `control`, as a popup that closes on the next click or
// key. Null (and nothing shown) when the topic cannot be found.
QWidget* ShowHelpTopic(QWidget* control, int topic);

// Opens the guide at its first page, beside `beside` on its screen, or raises it where it is
// when it is open already. Null when the guide cannot be found. Links to other places go to
// `opener`.
CHelpWindow* OpenHelpWindow(const UrlOpener& opener, const QWidget* beside = nullptr);

// Closes the guide when the program ends.
void CloseHelpWindow();

}  // namespace korvanta
