#pragma once

#include "core/files/RenderRecord.h"
#include "core/render/RenderJob.h"

#include <string>
#include <vector>

namespace korvanta {

// The formats of Save as, numbered as the file dialog's filters.
enum class SaveFormat { Document = 1, Bmp, Tga, Png, Wmf };

inline constexpr const char* kSaveFilters =
    "Korvanta File (*.Fra);;Bitmap File (*.bmp);;Tga File (*.Tga);;Png File (*.png);;"
    "Windows Meta File (*.wmf)";

// Appends the format's extension unless the name already ends in it (in any case).
std::string WithExtension(const std::string& path, SaveFormat format);

// What went wrong, as the messages to show in order; empty when the file was written.
using SaveMessages = std::vector<std::string>;

// Writes the job's picture (or, for a document, the whole render window record) to `path`
// as given. Files are written under a temporary name and renamed when complete, so a
// failure leaves an earlier file of that name as it was.
SaveMessages SavePicture(const std::string& path, SaveFormat format, const RenderJob& job,
                         const WindowPlacement& placement = {});

namespace messages {
inline constexpr const char* kCannotOpenForWriting = "Error trying to open file for writing";
inline constexpr const char* kErrorWhileSaving = "Error while saving file";
inline constexpr const char* kTooLargeForMetafile =
    "A metafile cannot hold a picture wider or higher than 32767 pixels";
}  // namespace messages

}  // namespace korvanta
