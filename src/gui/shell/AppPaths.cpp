#include "gui/shell/AppPaths.h"

#include <QDir>
#include <QStandardPaths>

namespace korvanta {

QString UserDataDir()
{
    // $XDG_DATA_HOME/korvanta, whatever the application and organisation names are.
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/korvanta";
    QDir().mkpath(dir);
    return dir;
}

QString DesktopFilePath()
{
    return UserDataDir() + "/Korvanta.dsk";
}

}  // namespace korvanta
