#pragma once

#include "core/files/MacroFile.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace korvanta {

// Our own recordings also say where each of the program's windows stood, so that a played
// click lands at the same place in the same window wherever the window manager put that
// window this time, frame and all. The notes are null messages (0), which no player
// delivers; a mouse event names its window in the window field. A file that does not begin
// with the mark plays as the format says: every mouse event shifted with the control
// window's outer rectangle.
//
// Windows are numbered from 1: the control window, then each window in the order it was
// first shown during the recording; the render windows open at its start count from
// kOpenAtStart in their order. A playback numbers them alike.
class MacroPlaces {
public:
    struct Point {
        std::int32_t x = 0, y = 0;
    };
    static constexpr std::uint32_t kNull = 0;
    static constexpr std::uint32_t kMark = 0x57504B4B;  // "KKPW"
    static constexpr std::uint32_t kVersion = 1;
    static constexpr std::uint32_t kControlWindow = 1;
    static constexpr std::uint32_t kOpenAtStart = 0x10000;

    // The first record of a file with notes.
    static MacroEvent Mark();
    // From `time` on, window `window`'s client area has its top-left corner at `origin`.
    static MacroEvent Note(std::uint32_t window, Point origin, std::uint32_t time);

    // Takes each record read, in order: true for the mark and the notes, which are not played.
    bool Take(const MacroEvent& event);
    bool Marked() const { return m_marked; }

    // Where a mouse event lands, given where each window stands now (empty for a window that
    // is not there): at its place in its own window when both places are known, else moved
    // with the control window's client area, else, in a file without notes, shifted by the
    // outer rectangles' offset. Other events are returned as they are.
    using WindowOrigin = std::function<std::optional<Point>(std::uint32_t window)>;
    MacroEvent Placed(MacroEvent event, const WindowOrigin& now, std::int32_t offsetX,
                      std::int32_t offsetY) const;

private:
    bool Moved(std::uint32_t window, const WindowOrigin& now, MacroEvent& event) const;

    bool m_first = true;
    bool m_marked = false;
    std::map<std::uint32_t, Point> m_recorded;
};

}  // namespace korvanta
