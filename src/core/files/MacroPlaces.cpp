#include "core/files/MacroPlaces.h"

namespace korvanta {

MacroEvent MacroPlaces::Mark()
{
    return {kNull, kMark, kVersion, 0, 0};
}

MacroEvent MacroPlaces::Note(std::uint32_t window, Point origin, std::uint32_t time)
{
    return {kNull, static_cast<std::uint32_t>(origin.x), static_cast<std::uint32_t>(origin.y), time,
            window};
}

bool MacroPlaces::Take(const MacroEvent& event)
{
    const bool first = m_first;
    m_first = false;
    if (event.message != kNull)
        return false;
    if (first && event.paramL == kMark && event.window == 0) {
        // A later version may say more; what this one knows of it still holds.
        m_marked = event.paramH >= 1;
        return true;
    }
    if (m_marked && event.window != 0)
        m_recorded[event.window] = {static_cast<std::int32_t>(event.paramL),
                                    static_cast<std::int32_t>(event.paramH)};
    return true;  // a null message plays as nothing, ours or not
}

bool MacroPlaces::Moved(std::uint32_t window, const WindowOrigin& now, MacroEvent& event) const
{
    const auto recorded = m_recorded.find(window);
    if (window == 0 || recorded == m_recorded.end() || !now)
        return false;
    const auto current = now(window);
    if (!current)
        return false;
    // Wraps like the 32-bit fields it works on.
    event.paramL += static_cast<std::uint32_t>(current->x) - static_cast<std::uint32_t>(recorded->second.x);
    event.paramH += static_cast<std::uint32_t>(current->y) - static_cast<std::uint32_t>(recorded->second.y);
    return true;
}

MacroEvent MacroPlaces::Placed(MacroEvent event, const WindowOrigin& now, std::int32_t offsetX,
                               std::int32_t offsetY) const
{
    if (!macro::IsMouse(event.message))
        return event;
    if (m_marked && (Moved(event.window, now, event) || Moved(kControlWindow, now, event)))
        return event;
    return ShiftedEvent(event, offsetX, offsetY);
}

}  // namespace korvanta
