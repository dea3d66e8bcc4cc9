#include "core/files/DesktopFile.h"

#include "core/archive/Archive.h"

namespace korvanta {

void TransferDesktopFields(Archive& ar, DesktopFields& f)
{
    ar.TransferAll(f.xStart, f.xEnd, f.yStart, f.yEnd, f.width, f.height, f.cIm, f.cRe, f.onTop,
                   f.desktop, f.aspectRatio, f.showValues, f.colors, f.formula, f.coloring,
                   f.sample);
    TransferPlacement(ar, f.placement);
}

}  // namespace korvanta
