#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace korvanta {

// A 32-bit pixel buffer without row padding, zeroed at creation. Pages are zeroed lazily
// by the system, so a large picture costs memory only as far as it has been rendered.
class PixelBuffer {
public:
    PixelBuffer() = default;

    // An empty buffer when width x height pixels cannot be had (or a size is negative).
    static PixelBuffer Allocate(std::int32_t width, std::int32_t height);

    bool empty() const { return m_pixels == nullptr; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    std::size_t size() const { return std::size_t(m_width) * std::size_t(m_height); }
    std::uint32_t* data() { return m_pixels.get(); }
    const std::uint32_t* data() const { return m_pixels.get(); }
    std::uint32_t& at(std::int32_t column, std::int32_t row)
    {
        return m_pixels[std::size_t(row) * std::size_t(m_width) + std::size_t(column)];
    }
    std::uint32_t at(std::int32_t column, std::int32_t row) const
    {
        return m_pixels[std::size_t(row) * std::size_t(m_width) + std::size_t(column)];
    }

private:
    struct Free {
        void operator()(std::uint32_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint32_t[], Free> m_pixels;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

}  // namespace korvanta
