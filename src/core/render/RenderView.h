#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// What a render job tells the window that shows it.
class RenderView {
public:
    virtual ~RenderView() = default;
    virtual void SetTitle(const std::string& title) = 0;
    // Repaint the picture's rows `fromRow` up to `toRow` (excluded, counted from the top)
    // without erasing first: the rows finished since the last repaint.
    virtual void Invalidate(std::int32_t fromRow, std::int32_t toRow) = 0;
};

}  // namespace korvanta
