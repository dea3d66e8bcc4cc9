#include "core/files/ImageWriters.h"

#include "core/files/LittleEndian.h"

#include <vector>

namespace korvanta {

bool WriteTga(std::ostream& out, const PixelBuffer& pixels)
{
    constexpr std::int32_t kMaxSide = 0xFFFF;  // the header's sizes are 16-bit
    if (pixels.width() > kMaxSide || pixels.height() > kMaxSide)
        return false;
    std::string header;
    header.push_back(0);  // no image ID
    header.push_back(0);  // no color map
    header.push_back(2);  // uncompressed true color
    header.append(5, '\0');
    Put16(header, 0);
    Put16(header, 0);
    Put16(header, static_cast<std::uint32_t>(pixels.width()));
    Put16(header, static_cast<std::uint32_t>(pixels.height()));
    header.push_back(32);
    header.push_back(0x31);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));

    std::vector<char> row(4 * std::size_t(pixels.width()));
    for (std::int32_t i = 0; i < pixels.height() && out; ++i) {
        const std::int32_t y = pixels.height() - 1 - i;
        for (std::int32_t x = 0; x < pixels.width(); ++x) {
            const std::uint32_t v = pixels.at(x, y);
            row[4 * x] = static_cast<char>(v & 0xFF);
            row[4 * x + 1] = static_cast<char>((v >> 8) & 0xFF);
            row[4 * x + 2] = static_cast<char>((v >> 16) & 0xFF);
            row[4 * x + 3] = static_cast<char>(0xFF);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return static_cast<bool>(out);
}

}  // namespace korvanta
