#include "core/picture/PixelBuffer.h"

namespace korvanta {

PixelBuffer PixelBuffer::Allocate(std::int32_t width, std::int32_t height)
{
    PixelBuffer buffer;
    if (width <= 0 || height <= 0)
        return buffer;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    buffer.m_pixels.reset(static_cast<std::uint32_t*>(std::calloc(count, sizeof(std::uint32_t))));
    if (!buffer.empty()) {
        buffer.m_width = width;
        buffer.m_height = height;
    }
    return buffer;
}

}  // namespace korvanta
