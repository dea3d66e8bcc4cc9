// A macro (.frm): a header and events until the data ends; every event must keep its
// place in time when played back.
#include "tools/fuzz/FuzzActions.h"

#include "core/files/MacroFile.h"
#include "core/files/MacroPlaces.h"

#include <cstring>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korvanta;
    std::istringstream in{std::string(reinterpret_cast<const char*>(data), size)};
    const auto header = ReadMacroHeader(in);
    if (!header)
        return 0;
    std::size_t events = 0;
    std::uint32_t last = 0;
    MacroPlaces places;
    // Where the player's windows stand now: the control window and every other window
    // number the file may name, or none.
    const MacroPlaces::WindowOrigin now = [](std::uint32_t window) -> std::optional<MacroPlaces::Point> {
        if (window % 3 == 0)
            return std::nullopt;
        return MacroPlaces::Point{static_cast<std::int32_t>(window * 7u), -static_cast<std::int32_t>(window)};
    };
    while (const auto event = ReadMacroEvent(in)) {
        ++events;
        if (places.Take(*event)) {
            if (event->message != MacroPlaces::kNull)
                fuzz::Contradiction("a played message taken as a note");
            continue;
        }
        const MacroEvent placed = places.Placed(*event, now, 3, -4);
        if (placed.message != event->message || placed.time != event->time ||
            (!macro::IsMouse(event->message) && std::memcmp(&placed, &*event, sizeof placed) != 0))
            fuzz::Contradiction("placing changed more than a mouse position");
        // As playback shifts events when the window stands 7 pixels left, 11 lower.
        const auto offsetX = static_cast<std::int32_t>(std::int64_t{header->left} - 7);
        const auto offsetY = static_cast<std::int32_t>(std::int64_t{header->top} + 11);
        const MacroEvent shifted = ShiftedEvent(*event, offsetX, offsetY);
        if (!macro::IsMouse(event->message) && std::memcmp(&shifted, &*event, sizeof shifted) != 0)
            fuzz::Contradiction("a key event moved");
        const std::uint32_t played = macro::PlaybackTime(event->time);
        if (played > event->time)
            fuzz::Contradiction("playback is slower than the recording");
        last = played;
    }
    if (MacroHeader::kSize + events * MacroEvent::kSize > size)
        fuzz::Contradiction("more events than bytes");
    (void)last;
    return 0;
}
