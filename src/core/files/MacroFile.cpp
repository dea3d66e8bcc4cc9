#include "core/files/MacroFile.h"

#include "core/files/LittleEndian.h"

#include <array>
#include <string>

namespace korvanta {

namespace {

template <std::size_t N>
std::optional<std::array<unsigned char, N>> ReadExactly(std::istream& in)
{
    std::array<unsigned char, N> bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), N);
    if (static_cast<std::size_t>(in.gcount()) != N)
        return std::nullopt;
    return bytes;
}

std::uint32_t At(const unsigned char* bytes, std::size_t offset)
{
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

}  // namespace

void WriteMacroHeader(std::ostream& out, const MacroHeader& h)
{
    std::string bytes;
    for (std::int32_t value : {h.left, h.top, h.right, h.bottom, h.cursorX, h.cursorY})
        Put32(bytes, static_cast<std::uint32_t>(value));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteMacroEvent(std::ostream& out, const MacroEvent& e)
{
    std::string bytes;
    for (std::uint32_t value : {e.message, e.paramL, e.paramH, e.time, e.window})
        Put32(bytes, value);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<MacroHeader> ReadMacroHeader(std::istream& in)
{
    const auto bytes = ReadExactly<MacroHeader::kSize>(in);
    if (!bytes)
        return std::nullopt;
    auto field = [&](std::size_t i) { return static_cast<std::int32_t>(At(bytes->data(), 4 * i)); };
    return MacroHeader{field(0), field(1), field(2), field(3), field(4), field(5)};
}

std::optional<MacroEvent> ReadMacroEvent(std::istream& in)
{
    const auto bytes = ReadExactly<MacroEvent::kSize>(in);
    if (!bytes)
        return std::nullopt;
    const unsigned char* b = bytes->data();
    return MacroEvent{At(b, 0), At(b, 4), At(b, 8), At(b, 12), At(b, 16)};
}

MacroEvent ShiftedEvent(MacroEvent event, std::int32_t offsetX, std::int32_t offsetY)
{
    if (macro::IsMouse(event.message)) {
        event.paramL -= static_cast<std::uint32_t>(offsetX);
        event.paramH -= static_cast<std::uint32_t>(offsetY);
    }
    return event;
}

}  // namespace korvanta
