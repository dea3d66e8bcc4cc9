#include "gui/shell/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace korvanta {

QString UserDataDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return dir;
}

QString DesktopFilePath()
{
    return UserDataDir() + "/Korvanta.dsk";
}

}  // namespace korvanta
