#pragma once

#include <cstdint>

namespace korvanta {

// The 40-byte header that describes the picture buffer in documents and bitmaps.
struct BitmapInfoHeader {
    static constexpr std::uint32_t kSize = 40;

    std::uint32_t size = kSize;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: the buffer is bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 32;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;

    static BitmapInfoHeader ForPicture(std::int32_t width, std::int32_t height)
    {
        BitmapInfoHeader header;
        header.width = width;
        header.height = height;
        return header;
    }
};

}  // namespace korvanta
