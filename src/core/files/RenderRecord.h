#pragma once

#include "core/picture/PixelRows.h"
#include "core/render/RenderJob.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace korvanta {

class Archive;

// Where and how a render window stood on the screen, in the 44-byte form documents keep.
struct WindowPlacement {
    static constexpr std::uint32_t kSize = 44;
    enum ShowCommand : std::uint32_t { kNormal = 1, kMinimized = 2, kMaximized = 3 };

    std::uint32_t length = kSize;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = kNormal;
    std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // the normal outer rectangle
};

// Stores or loads a placement's eleven fields; stored with the length 44 whatever it says.
void TransferPlacement(Archive& ar, WindowPlacement& placement);

// One render window as documents and the desktop file store it: magic "Frac", settings with
// the formula and coloring, where rendering continues, the picture header, the pixels
// computed so far and the placement.
void WriteRenderRecord(Archive& ar, const RenderJob& job, const WindowPlacement& placement);

// The same record for a picture whose pixels come row by row: `settings` with its formula
// in the state to store, the position, and the first `pixelCount` pixels of `rows`. Raises
// ArchiveError (WriteFailed) when a row cannot be had.
void WriteRenderRecord(Archive& ar, const RenderSettings& settings, std::int32_t column,
                       std::int32_t row, const BitmapInfoHeader& header, PixelRows& rows,
                       std::uint64_t pixelCount, const WindowPlacement& placement);

// Makes the value overlay of a loaded picture (it is drawn by the user interface).
using OverlayBuilder = std::function<PixelBuffer(const RenderSettings&)>;

struct LoadedRecord {
    std::unique_ptr<RenderJob> job;
    WindowPlacement placement;
};

// Reads one record into a new job ready to resume. Raises ArchiveError: NotADocument for a
// wrong magic, and the archive's errors or BadValue for a record that does not describe a
// picture this program can hold (position, header or pixel count outside the picture, a
// picture that cannot be allocated). Nothing is kept of a record that fails.
LoadedRecord ReadRenderRecord(Archive& ar, const OverlayBuilder& overlay = {});

}  // namespace korvanta
