#include "gui/render/ScreenFit.h"

#include "core/render/AspectFit.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <limits>

namespace korvanta {

QSize FittedClientSize(QSize picture, QMargins frame)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return picture;
    const QSize available = screen->availableGeometry().size().shrunkBy(frame);
    const PictureSize fitted =
        FitInside({picture.width(), picture.height()}, {available.width(), available.height()});
    return {fitted.width, fitted.height};
}

QRect OntoNearestScreen(QRect outer)
{
    const QScreen* nearest = nullptr;
    qint64 nearestDistance = std::numeric_limits<qint64>::max();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        if (area.intersects(outer))
            return outer;
        const qint64 dx = std::max({area.left() - outer.right(), outer.left() - area.right(), 0});
        const qint64 dy = std::max({area.top() - outer.bottom(), outer.top() - area.bottom(), 0});
        if (dx * dx + dy * dy < nearestDistance) {
            nearestDistance = dx * dx + dy * dy;
            nearest = screen;
        }
    }
    if (nearest == nullptr)
        return outer;
    // Too large a window keeps its top-left corner (and title bar) on the screen.
    const QRect area = nearest->availableGeometry();
    const int x = std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int y = std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    return QRect(QPoint(x, y), outer.size());
}

}  // namespace korvanta
