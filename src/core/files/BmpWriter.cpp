#include "core/files/ImageWriters.h"

#include "core/files/DibRows.h"
#include "core/files/LittleEndian.h"

namespace korvanta {

std::uint64_t BmpFileSize(std::int32_t width, std::int32_t height)
{
    return DibRowBytes(width) * std::uint64_t(height) + 54;
}

bool WriteBmp(std::ostream& out, const PixelBuffer& pixels)
{
    BufferRows rows(pixels);
    return WriteBmp(out, rows);
}

bool WriteBmp(std::ostream& out, PixelRows& rows)
{
    std::string header = "BM";
    Put32(header, static_cast<std::uint32_t>(BmpFileSize(rows.Width(), rows.Height())));
    Put32(header, 0);
    Put32(header, 54);
    header += DibHeader(rows.Width(), rows.Height());
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    return WriteDibRows(out, rows) && out;
}

}  // namespace korvanta
