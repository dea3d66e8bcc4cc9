#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <utility>

class QTemporaryDir;

namespace korvanta::monkey {

// A fresh folder that is the program's whole world: HOME, TMPDIR, the per-user folders and
// the files the file dialogs are answered with. Made before the application, since Qt reads
// the environment once.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();

    bool IsValid() const;
    QString Root() const;
    // Where the file dialogs' answers point.
    QString Files() const;
    // The per-user folder of the program, kept across restarts.
    QString UserData() const;
    // Where the stand-in wallpaper tool notes what it was given.
    QString WallpaperNotes() const;

    // Points the environment at the sandbox; the run's places outside are noted first.
    void Enter();
    // Keeps the folder at the end (always kept after a finding, which never returns).
    void Keep();

    // Empty when nothing new appeared outside the sandbox since Enter; else what did.
    QStringList NewOutside() const;
    // Files the program left behind that only a temporary file would be named like.
    QStringList LeftoverTemporaries() const;

private:
    void MakeFiles();
    void MakeWallpaperTool();
    static QStringList Entries(const QString& dir);

    std::unique_ptr<QTemporaryDir> m_dir;
    // A place outside: whether others write there too, and what it held at the start.
    std::map<QString, std::pair<bool, QStringList>> m_outside;
};

}  // namespace korvanta::monkey
