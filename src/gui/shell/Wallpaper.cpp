#include "gui/shell/Wallpaper.h"

#include "core/files/PictureExport.h"
#include "gui/shell/AppPaths.h"
#include "gui/shell/Prompter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QVariantMap>

namespace korvanta {

namespace {

int RunProcess(const QString& program, const QStringList& args, QString* output)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(5000))
        return -1;
    process.closeWriteChannel();
    if (!process.waitForFinished(15000)) {
        process.kill();
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

bool CallPortal(const QString& uri)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
        "org.freedesktop.portal.Wallpaper", "SetWallpaperURI");
    call << QString() << uri << QVariantMap{{"show-preview", false}, {"set-on", "background"}};
    return bus.call(call, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
}

}  // namespace

QString WallpaperPath()
{
    return UserDataDir() + "/Korvanta.bmp";
}

WallpaperSetter::WallpaperSetter()
    : run(RunProcess),
      portal(CallPortal),
      desktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP")),
      installed([](const QString& program) {
          return !QStandardPaths::findExecutable(program).isEmpty();
      })
{
}

bool WallpaperSetter::Gnome(const QString& uri, const QString& schema) const
{
    const bool light = run("gsettings", {"set", schema, "picture-uri", uri}, nullptr) == 0;
    // Older desktops have no dark variant; the light one is what counts.
    run("gsettings", {"set", schema, "picture-uri-dark", uri}, nullptr);
    return light;
}

// Xfce keeps one image per monitor and workspace; every one of them gets the picture.
bool WallpaperSetter::Xfce(const QString& path) const
{
    QString listing;
    if (run("xfconf-query", {"-c", "xfce4-desktop", "-l"}, &listing) != 0)
        return false;
    bool any = false;
    for (const QString& property : listing.split('\n', Qt::SkipEmptyParts)) {
        if (property.trimmed().endsWith("/last-image"))
            any |= run("xfconf-query", {"-c", "xfce4-desktop", "-p", property.trimmed(), "-s", path},
                       nullptr) == 0;
    }
    return any;
}

bool WallpaperSetter::Apply(const QString& path) const
{
    const QString uri = QUrl::fromLocalFile(path).toString();
    if (portal && portal(uri))
        return true;
    const QStringList desktops = desktop.toUpper().split(':', Qt::SkipEmptyParts);
    auto on = [&](const char* name) { return desktops.contains(name); };
    if (on("GNOME") || on("UNITY") || on("BUDGIE") || on("PANTHEON") || on("UBUNTU"))
        return Gnome(uri, "org.gnome.desktop.background");
    if (on("CINNAMON") || on("X-CINNAMON"))
        return Gnome(uri, "org.cinnamon.desktop.background");
    if (on("KDE"))
        return run("plasma-apply-wallpaperimage", {path}, nullptr) == 0;
    if (on("XFCE"))
        return Xfce(path);
    if (on("MATE"))
        return run("gsettings", {"set", "org.mate.background", "picture-filename", path}, nullptr) == 0;
    if (installed("feh"))
        return run("feh", {"--bg-fill", path}, nullptr) == 0;
    if (installed("xwallpaper"))
        return run("xwallpaper", {"--zoom", path}, nullptr) == 0;
    return false;
}

void SetWallpaper(const RenderJob& job, QWidget* parent, const WallpaperSetter& setter)
{
    const QString path = WallpaperPath();
    const SaveMessages failures = SavePicture(path.toStdString(), SaveFormat::Bmp, job);
    for (const std::string& message : failures)
        Prompter::Current().Message(parent, QString::fromStdString(message));
    if (!failures.empty())
        return;
    if (!setter.Apply(path))
        Prompter::Current().Message(parent, "Could not update wallpaper");
}

}  // namespace korvanta
