#include "gui/render/ScreenFit.h"

#include "core/render/AspectFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cstdint>
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

namespace {

QMargins FrameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry(), client = window.geometry();
    return {client.left() - outer.left(), client.top() - outer.top(),
            outer.right() - client.right(), outer.bottom() - client.bottom()};
}

}  // namespace

WindowPlacement PlacementOf(const QWidget& window)
{
    WindowPlacement p;
    p.showCmd = window.isMinimized()   ? WindowPlacement::kMinimized
                : window.isMaximized() ? WindowPlacement::kMaximized
                                       : WindowPlacement::kNormal;
    const QRect normal =
        p.showCmd == WindowPlacement::kNormal ? window.geometry() : window.normalGeometry();
    const QRect outer = normal.marginsAdded(FrameOf(window));
    p.left = outer.left();
    p.top = outer.top();
    p.right = outer.left() + outer.width();
    p.bottom = outer.top() + outer.height();
    return p;
}

void PlaceWindow(QWidget& window, const WindowPlacement& p, bool resizable)
{
    if (p.right > p.left && p.bottom > p.top) {
        const QMargins frame = FrameOf(window);
        const int extraWidth = frame.left() + frame.right();
        const int extraHeight = frame.top() + frame.bottom();
        // In 64 bits and clamped: the stored numbers may be anything.
        auto side = [](std::int64_t from, std::int64_t to, int frameSide) {
            return static_cast<int>(std::clamp<std::int64_t>(to - from - frameSide, 1, 1 << 24));
        };
        auto place = [](std::int32_t at) { return std::clamp(at, -(1 << 24), 1 << 24); };
        const QSize client =
            resizable ? FittedClientSize(QSize(side(p.left, p.right, extraWidth),
                                               side(p.top, p.bottom, extraHeight)),
                                         frame)
                      : window.size();
        const QRect outer = OntoNearestScreen(QRect(place(p.left), place(p.top),
                                                    client.width() + extraWidth,
                                                    client.height() + extraHeight));
        // Moving a window places its frame, shown or not yet shown.
        window.resize(client);
        window.move(outer.topLeft());
    }
    if (p.showCmd == WindowPlacement::kMinimized)
        window.showMinimized();
    else if (p.showCmd == WindowPlacement::kMaximized)
        window.showMaximized();
}

}  // namespace korvanta
