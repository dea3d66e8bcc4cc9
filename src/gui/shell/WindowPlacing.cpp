#include "gui/shell/WindowPlacing.h"

#include <QWidget>

#include <algorithm>
#include <array>
#include <limits>

namespace korvanta {

namespace {

// The first coordinate at which a length fits between low and high (both inclusive), as
// near `wanted` as it can be.
int Clamp(int wanted, int length, int low, int high)
{
    return std::clamp(wanted, low, std::max(low, high + 1 - length));
}

// The smallest outer size beside the control window that still reads as a guide.
constexpr int kLeastWidth = 420, kLeastHeight = 320;

qint64 Overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

QMargins FrameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry(), client = window.geometry();
    return {client.left() - outer.left(), client.top() - outer.top(),
            outer.right() - client.right(), outer.bottom() - client.bottom()};
}

}  // namespace

QRect PlaceBeside(const QRect& area, const QRect& anchor, QSize client, const QMargins& frame)
{
    const QSize size = client.grownBy(frame).boundedTo(area.size()).expandedTo(QSize(1, 1));
    const int w = size.width(), h = size.height();
    auto x = [&](int wanted) { return Clamp(wanted, w, area.left(), area.right()); };
    auto y = [&](int wanted) { return Clamp(wanted, h, area.top(), area.bottom()); };
    if (anchor.isEmpty())
        return QRect(QPoint(x(area.center().x() - w / 2), y(area.center().y() - h / 2)), size);

    // Right, left, below, above: the room on that side and the window put there, `across`
    // wide (or high).
    const std::array<int, 4> room{area.right() - anchor.right(), anchor.left() - area.left(),
                                  area.bottom() - anchor.bottom(), anchor.top() - area.top()};
    auto beside = [&](int side, int across) {
        switch (side) {
        case 0: return QRect(anchor.right() + 1, y(anchor.top()), across, h);
        case 1: return QRect(anchor.left() - across, y(anchor.top()), across, h);
        case 2: return QRect(x(anchor.left()), anchor.bottom() + 1, w, across);
        default: return QRect(x(anchor.left()), anchor.top() - across, w, across);
        }
    };
    for (int side = 0; side < 4; ++side) {
        const QRect place = beside(side, side < 2 ? w : h);
        if (area.contains(place))
            return place;
    }
    // Narrower (or lower) by up to a third is better than hiding part of it behind the anchor,
    // which stays on top.
    for (int side = 0; side < 4; ++side) {
        const int full = side < 2 ? w : h;
        if (room[side] >= std::max(1, full * 2 / 3)) {
            const QRect place = beside(side, std::min(room[side], full));
            if (area.contains(place))
                return place;
        }
    }

    // Still smaller, down to a size that reads, on the side with the most room: a small
    // screen is better served by a whole guide than by one half hidden.
    QRect roomiest;
    for (int side = 0; side < 4; ++side) {
        const int full = side < 2 ? w : h;
        const int least = std::min(full, side < 2 ? kLeastWidth : kLeastHeight);
        if (room[side] < least)
            continue;
        const QRect place = beside(side, std::min(room[side], full));
        if (area.contains(place) &&
            qint64(place.width()) * place.height() > qint64(roomiest.width()) * roomiest.height())
            roomiest = place;
    }
    if (!roomiest.isEmpty())
        return roomiest;

    // No side has room: of the places where an edge meets an edge of the anchor or of the
    // area, the first that covers the least of the anchor.
    const std::array<int, 4> xs{x(anchor.right() + 1), x(anchor.left() - w), x(area.right() + 1 - w),
                                area.left()};
    const std::array<int, 5> ys{y(anchor.top()), y(anchor.bottom() + 1), y(anchor.top() - h),
                                area.top(), y(area.bottom() + 1 - h)};
    QRect best;
    qint64 least = std::numeric_limits<qint64>::max();
    for (int left : xs)
        for (int top : ys) {
            const QRect place(QPoint(left, top), size);
            if (const qint64 covered = Overlap(place, anchor); covered < least) {
                least = covered;
                best = place;
            }
        }
    return best;
}

QMargins ExpectedFrame(const QWidget& window, const QWidget* reference)
{
    const QMargins own = FrameOf(window);
    if (!own.isNull() || !reference)
        return own;
    return FrameOf(*reference);
}

}  // namespace korvanta
