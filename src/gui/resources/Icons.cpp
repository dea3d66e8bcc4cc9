#include "gui/resources/Icons.h"

#include "core/scenes/IconPictures.h"

#include <QImage>
#include <QPixmap>

namespace korvanta {

namespace {

// The desktop's own drawings, transparent around their shape, at the sizes title bars,
// task bars and docks ask for.
QIcon Draw(DesktopIcon which)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        const PixelBuffer pixels = RenderDesktopIcon(which, size);
        if (pixels.empty())
            continue;
        // The buffer runs bottom-up; its fourth byte is the alpha.
        const QImage image(reinterpret_cast<const uchar*>(pixels.data()), size, size, size * 4,
                           QImage::Format_ARGB32);
        icon.addPixmap(QPixmap::fromImage(image.mirrored(false, true)));
    }
    return icon;
}

}  // namespace

QIcon AppIcon()
{
    static const QIcon icon = Draw(DesktopIcon::Program);
    return icon;
}

// A render window holds what a document keeps: it wears the document's sheet.
QIcon WindowIcon()
{
    static const QIcon icon = Draw(DesktopIcon::Document);
    return icon;
}

}  // namespace korvanta
