#include "tools/monkey/Sandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace korvanta::monkey {

namespace {

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// In shared places (the system's temporary folder, the home folder) only names this
// program makes on its own count: others' tests and tools write pictures there too.
bool LooksLikeOurs(const QString& name)
{
    static const QRegularExpression ours(R"(^korvanta$|^korvanta\.|^\.korvanta\.|^qt_temp)",
                                         QRegularExpression::CaseInsensitiveOption);
    return ours.match(name).hasMatch();
}

}  // namespace

Sandbox::Sandbox() : m_dir(std::make_unique<QTemporaryDir>(QDir::tempPath() + "/korvanta-monkey-XXXXXX")) {}

Sandbox::~Sandbox() = default;

bool Sandbox::IsValid() const
{
    return m_dir->isValid();
}

QString Sandbox::Root() const
{
    return m_dir->path();
}

QString Sandbox::Files() const
{
    return Root() + "/files";
}

QString Sandbox::UserData() const
{
    return Root() + "/data/korvanta";
}

QString Sandbox::WallpaperNotes() const
{
    return Root() + "/wallpaper-notes.txt";
}

void Sandbox::Keep()
{
    m_dir->setAutoRemove(false);
}

QStringList Sandbox::Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::Name);
}

void Sandbox::Enter()
{
    const QString home = QDir::homePath();
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME", home + "/.local/share");
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME", home + "/.config");
    const QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME", home + "/.cache");
    m_outside[QDir::currentPath()] = {false, Entries(QDir::currentPath())};
    for (const QString& place : {QDir::tempPath(), home})
        m_outside[place] = {true, Entries(place)};
    for (const QString& place : {dataHome + "/korvanta", configHome + "/Korvanta", cacheHome + "/Korvanta"})
        m_outside[place] = {false, Entries(place)};

    QDir root(Root());
    for (const char* sub : {"home", "tmp", "data", "config", "cache", "state", "run", "bin", "files"})
        root.mkpath(sub);
    QFile::setPermissions(Root() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("HOME", (Root() + "/home").toLocal8Bit());
    qputenv("TMPDIR", (Root() + "/tmp").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (Root() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (Root() + "/config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (Root() + "/cache").toLocal8Bit());
    qputenv("XDG_STATE_HOME", (Root() + "/state").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (Root() + "/run").toLocal8Bit());
    qputenv("PATH", (Root() + "/bin").toLocal8Bit() + (path.isEmpty() ? "" : ":" + path));
    // No portal and no desktop of a known name: the wallpaper goes to the stand-in tool.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    qunsetenv("XDG_CURRENT_DESKTOP");
    MakeWallpaperTool();
    MakeFiles();
}

void Sandbox::MakeWallpaperTool()
{
    // Found on the PATH as the last resort of the wallpaper setter; it only notes its call.
    const QString tool = Root() + "/bin/feh";
    Write(tool, "#!/bin/sh\necho \"$@\" >> '" + WallpaperNotes().toLocal8Bit() + "'\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void Sandbox::MakeFiles()
{
    QDir files(Files());
    Write(Files() + "/existing.png", "not a picture at all");
    Write(Files() + "/empty.fra", "");
    Write(Files() + "/readonly.bmp", "BM");
    QFile::setPermissions(Files() + "/readonly.bmp", QFile::ReadOwner);
    files.mkpath("readonly-folder");
    QFile::setPermissions(Files() + "/readonly-folder", QFile::ReadOwner | QFile::ExeOwner);
    files.mkpath("a folder.fra");
    files.mkpath("a folder.frm");
}

QStringList Sandbox::NewOutside() const
{
    QStringList found;
    for (const auto& [place, watched] : m_outside) {
        const auto& [shared, before] = watched;
        for (const QString& name : Entries(place))
            if (!before.contains(name) && (!shared || LooksLikeOurs(name)))
                found << place + "/" + name;
    }
    return found;
}

QStringList Sandbox::LeftoverTemporaries() const
{
    // Saves write ".korvanta.PID.XXXXXX" beside the target; Qt's own end in ".XXXXXX".
    static const QRegularExpression temporary(R"(^\.korvanta\.|^qt_temp|\.tmp$|~$|\.\w+\.[A-Za-z0-9]{6}$)");
    QStringList found;
    QDirIterator it(Root(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const bool inTemp = path.startsWith(Root() + "/tmp/");
        if (inTemp || temporary.match(it.fileName()).hasMatch())
            found << path;
    }
    return found;
}

}  // namespace korvanta::monkey
