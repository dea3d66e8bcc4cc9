#pragma once

#include <string>

namespace korvanta {

// What a render job tells the window that shows it.
class RenderView {
public:
    virtual ~RenderView() = default;
    virtual void SetTitle(const std::string& title) = 0;
    // Repaint the whole picture without erasing first.
    virtual void Invalidate() = 0;
};

}  // namespace korvanta
