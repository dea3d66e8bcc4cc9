#include "core/files/ImageWriters.h"

#include "core/files/LittleEndian.h"

#include <vector>

namespace korvanta {

bool WriteTga(std::ostream& out, const PixelBuffer& pixels)
{
    BufferRows rows(pixels);
    return WriteTga(out, rows);
}

bool WriteTga(std::ostream& out, PixelRows& rows)
{
    const std::int32_t width = rows.Width(), height = rows.Height();
    constexpr std::int32_t kMaxSide = 0xFFFF;  // the header's sizes are 16-bit
    if (width > kMaxSide || height > kMaxSide)
        return false;
    std::string header;
    header.push_back(0);  // no image ID
    header.push_back(0);  // no color map
    header.push_back(2);  // uncompressed true color
    header.append(5, '\0');
    Put16(header, 0);
    Put16(header, 0);
    Put16(header, static_cast<std::uint32_t>(width));
    Put16(header, static_cast<std::uint32_t>(height));
    header.push_back(32);
    header.push_back(0x31);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));

    std::vector<char> row(4 * std::size_t(width));
    for (std::int32_t i = 0; i < height && out; ++i) {
        const std::uint32_t* pixels = rows.Row(height - 1 - i);
        if (pixels == nullptr)
            return false;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t v = pixels[x];
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
