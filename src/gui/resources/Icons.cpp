#include "gui/resources/Icons.h"

#include "core/scenes/IconPictures.h"
#include "gui/render/PictureImage.h"

#include <QPixmap>

namespace korvanta {

namespace {

QIcon Render(IconPicture which)
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(QPixmap::fromImage(
            PictureImage(RenderIconPicture(which, size), QRect(0, 0, size, size))));
    return icon;
}

}  // namespace

QIcon AppIcon()
{
    static const QIcon icon = Render(IconPicture::Program);
    return icon;
}

QIcon WindowIcon()
{
    static const QIcon icon = Render(IconPicture::RenderWindow);
    return icon;
}

}  // namespace korvanta
