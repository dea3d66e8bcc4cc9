// A macro (.frm): a header and events until the data ends; every event must keep its
// place in time when played back.
#include "tools/fuzz/FuzzActions.h"

#include "core/files/MacroFile.h"

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
    while (const auto event = ReadMacroEvent(in)) {
        ++events;
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
