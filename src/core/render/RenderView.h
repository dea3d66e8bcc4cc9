#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// What a render job tells the window that shows it.
class RenderView {
public:
    virtual ~RenderView() = default;
    virtual void SetTitle(const std::string& title) = 0;
    // Repaint the picture's buffer rows `fromRow` up to `toRow` (excluded; counted as the
    // buffer counts them, from the bottom of the picture) without erasing first.
    virtual void Invalidate(std::int32_t fromRow, std::int32_t toRow) = 0;
};

}  // namespace korvanta
