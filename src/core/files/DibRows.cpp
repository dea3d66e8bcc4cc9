#include "core/files/DibRows.h"

#include "core/files/LittleEndian.h"

#include <vector>

namespace korvanta {

std::uint64_t DibRowBytes(std::int32_t width)
{
    const std::uint64_t bytes = 3 * std::uint64_t(width);
    return bytes + (4 - bytes % 4) % 4;
}

std::string DibHeader(std::int32_t width, std::int32_t height)
{
    std::string header;
    Put32(header, 40);
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));
    Put16(header, 1);
    Put16(header, 24);
    for (int i = 0; i < 6; ++i)  // compression, image size, resolutions, colors
        Put32(header, 0);
    return header;
}

void WriteDibRows(std::ostream& out, const PixelBuffer& pixels)
{
    BufferRows rows(pixels);
    WriteDibRows(out, rows);
}

bool WriteDibRows(std::ostream& out, PixelRows& rows)
{
    std::vector<char> row(DibRowBytes(rows.Width()), 0);
    for (std::int32_t y = 0; y < rows.Height() && out; ++y) {
        const std::uint32_t* pixels = rows.Row(y);
        if (pixels == nullptr)
            return false;
        for (std::int32_t x = 0; x < rows.Width(); ++x) {
            const std::uint32_t v = pixels[x];
            row[3 * x] = static_cast<char>(v & 0xFF);
            row[3 * x + 1] = static_cast<char>((v >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<char>((v >> 16) & 0xFF);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return true;
}

}  // namespace korvanta
