#include "gui/resources/Icons.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace korvanta {
namespace {

// Title bars and task bars show the icons on their own colours: clear around the shape,
// solid in it, at every size they ask for.
TEST(Icons, WindowIconsAreShapesOnATransparentBackground)
{
    for (const QIcon& icon : {AppIcon(), WindowIcon()}) {
        ASSERT_FALSE(icon.isNull());
        for (int size : {16, 24, 32, 48}) {
            const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(image.size(), QSize(size, size));
            for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1),
                                        QPoint(size - 1, size - 1)})
                EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << size;
            EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
        }
    }
    // Two different things, told apart at a glance.
    EXPECT_NE(AppIcon().pixmap(16, 16).toImage(), WindowIcon().pixmap(16, 16).toImage());
}

}  // namespace
}  // namespace korvanta
