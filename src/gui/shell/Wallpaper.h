#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace korvanta {

class RenderJob;

// Runs a program with arguments (never through a shell); returns its exit code, or -1 when
// it could not be started. Its standard output goes to `output` when given.
using CommandRunner = std::function<int(const QString& program, const QStringList& args, QString* output)>;

// Makes a bitmap file the desktop's wallpaper: through the desktop portal when one answers,
// else with the tool of the desktop named in XDG_CURRENT_DESKTOP, else feh or xwallpaper.
class WallpaperSetter {
public:
    WallpaperSetter();

    // For tests: the runner, whether the portal answers, the desktop's name and which
    // programs exist.
    CommandRunner run;
    std::function<bool(const QString& uri)> portal;
    QString desktop;
    std::function<bool(const QString& program)> installed;

    bool Apply(const QString& bitmapPath) const;

private:
    bool Gnome(const QString& uri, const QString& schema) const;
    bool Xfce(const QString& path) const;
};

// Writes the picture to the per-user "Korvanta.bmp" and makes it the wallpaper; a bitmap
// that could not be written is not applied. Messages go to the prompter.
void SetWallpaper(const RenderJob& job, QWidget* parent, const WallpaperSetter& setter = {});

QString WallpaperPath();

}  // namespace korvanta
