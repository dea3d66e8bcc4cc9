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
    std::string header = "BM";
    Put32(header, static_cast<std::uint32_t>(BmpFileSize(pixels.width(), pixels.height())));
    Put32(header, 0);
    Put32(header, 54);
    header += DibHeader(pixels.width(), pixels.height());
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    WriteDibRows(out, pixels);
    return static_cast<bool>(out);
}

}  // namespace korvanta
