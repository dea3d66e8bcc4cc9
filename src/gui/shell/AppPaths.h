#pragma once

#include <QString>

namespace korvanta {

// Writable per-user state lives in the user's data folder, made on demand.
QString UserDataDir();
QString DesktopFilePath();

}  // namespace korvanta
