#pragma once

#include "core/formulas/Viewport.h"
#include "core/render/RenderRequest.h"

#include <QString>

#include <vector>

namespace korvanta {
class CFractalDlg;
}

namespace korvanta::monkey {

// What an exit saves and the next start must bring back: the control window's fields,
// selections and options, and each render window's picture parameters, in order.
struct DesktopSnapshot {
    struct Picture {
        std::int32_t formula = 0, coloring = 0, width = 0, height = 0, limit = 0;
        Area area;
        double cRe = 0, cIm = 0;
    };
    RenderFields fields;
    int sample = -1;
    bool desktop = false;
    bool onTop = false;
    std::vector<Picture> pictures;

    static DesktopSnapshot Of(const CFractalDlg& dialog);
};

// The first difference between what was saved and what came back; empty when none.
QString FirstDifference(const DesktopSnapshot& saved, const DesktopSnapshot& restored);

}  // namespace korvanta::monkey
