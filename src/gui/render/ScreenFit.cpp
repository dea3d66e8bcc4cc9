#include "gui/render/ScreenFit.h"

#include "core/render/AspectFit.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
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

QRect OntoScreenArea(QRect outer, const QList<QRect>& areas, bool resizable)
{
    const QRect* best = nullptr;
    qint64 bestOverlap = 0, nearestDistance = std::numeric_limits<qint64>::max();
    const QRect* nearest = nullptr;
    for (const QRect& area : areas) {
        if (area.contains(outer))
            return outer;
        const QRect common = area.intersected(outer);
        const qint64 overlap = qint64{common.width()} * common.height();
        if (overlap > bestOverlap) {
            bestOverlap = overlap;
            best = &area;
        }
        const qint64 dx = std::max<qint64>({qint64{area.left()} - outer.right(), qint64{outer.left()} - area.right(), 0});
        const qint64 dy = std::max<qint64>({qint64{area.top()} - outer.bottom(), qint64{outer.top()} - area.bottom(), 0});
        if (dx * dx + dy * dy < nearestDistance) {
            nearestDistance = dx * dx + dy * dy;
            nearest = &area;
        }
    }
    const QRect* target = best ? best : nearest;
    if (target == nullptr)
        return outer;
    const QRect area = *target;
    QSize size = outer.size();
    if (resizable)
        size = size.boundedTo(area.size());
    const int x = std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size);
}

QRect OntoNearestScreen(QRect outer, bool resizable)
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    return OntoScreenArea(outer, areas, resizable);
}

namespace {

QMargins FrameOf(const QWidget& window)
{
    const QRect outer = window.frameGeometry(), client = window.geometry();
    return {client.left() - outer.left(), client.top() - outer.top(),
            outer.right() - client.right(), outer.bottom() - client.bottom()};
}

// The outer rectangle a record asks for, on this desktop's screens, for a window whose
// frame is `frame`.
QRect Target(const WindowPlacement& p, const QWidget& window, QMargins frame, bool resizable)
{
    // In 64 bits and clamped: the stored numbers may be anything.
    auto side = [](std::int64_t from, std::int64_t to) {
        return static_cast<int>(std::clamp<std::int64_t>(to - from, 1, 1 << 24));
    };
    auto place = [](std::int32_t at) { return std::clamp(at, -(1 << 24), 1 << 24); };
    const QSize outer = resizable ? QSize(side(p.left, p.right), side(p.top, p.bottom))
                                  : window.size().grownBy(frame);
    const QSize minimum = QSize(1, 1).grownBy(frame);
    return OntoNearestScreen(QRect(QPoint(place(p.left), place(p.top)), outer.expandedTo(minimum)),
                             resizable);
}

QSize ClientSize(const QWidget& window, QRect outer, QMargins frame, bool resizable)
{
    return resizable ? outer.size().shrunkBy(frame).expandedTo(QSize(1, 1)) : window.size();
}

void Apply(QWidget& window, QRect outer, QMargins frame, bool resizable)
{
    if (resizable)
        window.resize(ClientSize(window, outer, frame, resizable));
    // Moving a window places its frame, shown or not yet shown.
    window.move(outer.topLeft());
}

// Waits for the window manager's frame around a newly shown window, then puts the window
// where its record says with that frame. Without a window manager no frame comes, and the
// first placement was already right.
class FramedPlacement : public QObject {
public:
    // `asked` is the client size just asked for, which the window takes when the window
    // system answers.
    FramedPlacement(QWidget& window, WindowPlacement placement, bool resizable, QSize asked)
        : QObject(&window), m_window(&window), m_placement(placement), m_resizable(resizable),
          m_before(window.size()), m_asked(asked)
    {
        m_poll.setInterval(10);
        connect(&m_poll, &QTimer::timeout, this, &FramedPlacement::Check);
        m_poll.start();
        QTimer::singleShot(kPatienceMs, this, [this] { deleteLater(); });
    }

    // Null once the window was resized by other hands: it stands as it is. (A move says
    // nothing: framing moves a window.)
    const FramedPlacement* Pending() const
    {
        return m_window && (m_window->size() == m_asked || m_window->size() == m_before) ? this : nullptr;
    }
    QRect Wanted() const { return Target(m_placement, *m_window, {}, m_resizable); }

private:
    static constexpr int kPatienceMs = 5000;

    void Check()
    {
        if (!m_window)
            return;
        // Both the frame and the size asked for arrive in their own time, in either order;
        // the patience ends the wait where no frame comes or other hands resized the window.
        const QMargins frame = FrameOf(*m_window);
        if (frame.isNull() || m_window->size() != m_asked)
            return;
        m_poll.stop();
        if (m_window->windowState() == Qt::WindowNoState)
            Apply(*m_window, Target(m_placement, *m_window, frame, m_resizable), frame, m_resizable);
        deleteLater();
    }

    QPointer<QWidget> m_window;
    WindowPlacement m_placement;
    bool m_resizable;
    QSize m_before, m_asked;
    QTimer m_poll;
};

}  // namespace

WindowPlacement PlacementOf(const QWidget& window)
{
    WindowPlacement p;
    p.showCmd = window.isMinimized()   ? WindowPlacement::kMinimized
                : window.isMaximized() ? WindowPlacement::kMaximized
                                       : WindowPlacement::kNormal;
    QRect outer;
    // Not yet framed: the place it was asked to take stands for the one it will take.
    const FramedPlacement* pending = nullptr;
    for (const QObject* child : window.children()) {
        if (const auto* placer = dynamic_cast<const FramedPlacement*>(child))
            pending = placer->Pending();
    }
    if (pending)
        outer = pending->Wanted();
    else {
        const QRect normal =
            p.showCmd == WindowPlacement::kNormal ? window.geometry() : window.normalGeometry();
        outer = normal.marginsAdded(FrameOf(window));
    }
    p.left = outer.left();
    p.top = outer.top();
    p.right = outer.left() + outer.width();
    p.bottom = outer.top() + outer.height();
    return p;
}

void PlaceWindow(QWidget& window, const WindowPlacement& p, bool resizable, QMargins expectedFrame)
{
    if (p.right > p.left && p.bottom > p.top) {
        const QMargins own = FrameOf(window);
        const QMargins frame = own.isNull() ? expectedFrame : own;
        const QRect outer = Target(p, window, frame, resizable);
        Apply(window, outer, frame, resizable);
        if (own.isNull())
            new FramedPlacement(window, p, resizable, ClientSize(window, outer, frame, resizable));
    }
    if (p.showCmd == WindowPlacement::kMinimized)
        window.showMinimized();
    else if (p.showCmd == WindowPlacement::kMaximized)
        window.showMaximized();
}

}  // namespace korvanta
