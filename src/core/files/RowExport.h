#pragma once

#include "core/files/PictureExport.h"
#include "core/files/RenderRecord.h"
#include "core/picture/PixelRows.h"

#include <string>

namespace korvanta {

// A finished picture whose pixels come row by row, with what its document stores: the
// settings (the formula holding the last pixel) and the window's placement.
struct RowPicture {
    PixelRows& rows;
    const RenderSettings& settings;
    WindowPlacement placement;
};

// SavePicture for such a picture: the same bytes in every format, written through a
// temporary file, holding no more of the picture than a row at a time.
SaveMessages SaveRows(const std::string& path, SaveFormat format, RowPicture& picture);

}  // namespace korvanta
