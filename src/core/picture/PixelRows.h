#pragma once

#include "core/picture/PixelBuffer.h"

#include <cstdint>

namespace korvanta {

// A picture handed out a row at a time, so that writers need not hold it whole. Rows are
// numbered as in the buffer: row 0 is the picture's bottom edge.
class PixelRows {
public:
    virtual ~PixelRows() = default;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    // Width() pixels, valid until the next call; null when the row cannot be had.
    virtual const std::uint32_t* Row(std::int32_t row) = 0;
};

// The rows of a picture held in memory.
class BufferRows final : public PixelRows {
public:
    explicit BufferRows(const PixelBuffer& pixels) : m_pixels(pixels) {}
    std::int32_t Width() const override { return m_pixels.width(); }
    std::int32_t Height() const override { return m_pixels.height(); }
    const std::uint32_t* Row(std::int32_t row) override
    {
        return m_pixels.data() + std::size_t(row) * std::size_t(m_pixels.width());
    }

private:
    const PixelBuffer& m_pixels;
};

}  // namespace korvanta
