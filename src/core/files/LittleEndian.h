#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// Appends little-endian integers to a byte string, for the fixed headers of image files.
inline void Put16(std::string& out, std::uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

inline void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}  // namespace korvanta
