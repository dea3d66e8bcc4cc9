#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>

namespace korvanta {

// A recording of the user's input (".frm"): a 24-byte header, then 20-byte events until the
// data ends. Little-endian; no magic, no count.
struct MacroHeader {
    static constexpr std::size_t kSize = 24;
    // The control window's outer rectangle at the start, in screen coordinates.
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    // The mouse cursor at the start, in the control window's client coordinates.
    std::int32_t cursorX = 0, cursorY = 0;
};

struct MacroEvent {
    static constexpr std::size_t kSize = 20;
    std::uint32_t message = 0;
    // Mouse messages: the screen position. Keys: the virtual-key code in the low byte of
    // paramL and the scan code above it; repeat count and extended-key flag in paramH.
    std::uint32_t paramL = 0, paramH = 0;
    std::uint32_t time = 0;    // milliseconds after the start
    std::uint32_t window = 0;  // kept as recorded; playback ignores it
};

// The message numbers a macro may hold.
namespace macro {
inline constexpr std::uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kSysKeyDown = 0x104,
                               kSysKeyUp = 0x105;
inline constexpr std::uint32_t kMouseMove = 0x200, kLeftDown = 0x201, kLeftUp = 0x202,
                               kLeftDouble = 0x203, kRightDown = 0x204, kRightUp = 0x205,
                               kRightDouble = 0x206, kMiddleDown = 0x207, kMiddleUp = 0x208,
                               kMiddleDouble = 0x209, kWheel = 0x20A, kMouseLast = 0x20D;

constexpr bool IsMouse(std::uint32_t message)
{
    return message >= kMouseMove && message <= kMouseLast;
}
constexpr bool IsKey(std::uint32_t message)
{
    return message == kKeyDown || message == kKeyUp || message == kSysKeyDown ||
           message == kSysKeyUp;
}

// The time stored for an event: milliseconds after the start, 0 at or before it.
constexpr std::uint32_t RecordedTime(std::uint32_t eventMs, std::uint32_t startMs)
{
    return eventMs > startMs ? eventMs - startMs : 0;
}

// When an event is played, in milliseconds after the playback's start: twice as fast.
constexpr std::uint32_t PlaybackTime(std::uint32_t recorded)
{
    return recorded / 2;
}
}  // namespace macro

void WriteMacroHeader(std::ostream& out, const MacroHeader& header);
void WriteMacroEvent(std::ostream& out, const MacroEvent& event);

// Empty when fewer than 24 (or 20) bytes are left: the file ends there.
std::optional<MacroHeader> ReadMacroHeader(std::istream& in);
std::optional<MacroEvent> ReadMacroEvent(std::istream& in);

// A mouse event as it lands after the control window moved: the recorded position minus
// (recorded place - current place). Other events are unchanged. Wraps like the 32-bit
// fields it works on.
MacroEvent ShiftedEvent(MacroEvent event, std::int32_t offsetX, std::int32_t offsetY);

}  // namespace korvanta
