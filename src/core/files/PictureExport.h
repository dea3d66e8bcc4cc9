#pragma once

#include "core/files/RenderRecord.h"
#include "core/picture/PixelRows.h"
#include "core/render/RenderJob.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace korvanta {

// The formats of Save as, numbered as the file dialog's filters.
enum class SaveFormat { Document = 1, Bmp, Tga, Png, Wmf };

struct SaveFormatInfo {
    SaveFormat format;
    const char* extension;  // as appended to a name without it; compared in any case
    const char* filter;     // as the file dialog lists it
};

// Every format the program writes, in the order of the file dialog's filters.
inline constexpr std::array<SaveFormatInfo, 5> kSaveFormats{{
    {SaveFormat::Document, ".Fra", "Korvanta File (*.Fra)"},
    {SaveFormat::Bmp, ".Bmp", "Bitmap File (*.bmp)"},
    {SaveFormat::Tga, ".Tga", "Tga File (*.Tga)"},
    {SaveFormat::Png, ".PNG", "Png File (*.png)"},
    {SaveFormat::Wmf, ".wmf", "Windows Meta File (*.wmf)"},
}};
static_assert([] {
    for (std::size_t i = 0; i < kSaveFormats.size(); ++i)
        if (static_cast<std::size_t>(kSaveFormats[i].format) != i + 1)
            return false;
    return true;
}(), "the table is indexed by format number");

// The filters of Save as, separated by ";;".
std::string SaveFilters();

// Whether the name ends in the format's extension, in any case.
bool HasExtension(const std::string& path, SaveFormat format);

// Appends the format's extension unless the name already ends in it (in any case).
std::string WithExtension(const std::string& path, SaveFormat format);

// The format whose extension the name ends in, if any.
std::optional<SaveFormat> FormatOfName(const std::string& path);

// What went wrong, as the messages to show in order; empty when the file was written.
using SaveMessages = std::vector<std::string>;

// Writes the job's picture (or, for a document, the whole render window record) to `path`
// as given. Files are written under a temporary name and renamed when complete, so a
// failure leaves an earlier file of that name as it was. `reason` receives the system's
// reason for a failure where there is one (the messages are the program's own).
SaveMessages SavePicture(const std::string& path, SaveFormat format, const RenderJob& job,
                         const WindowPlacement& placement = {}, std::error_code* reason = nullptr);

// The same for any picture handed out a row at a time, which is never held whole; a
// document is written by `document` (one render window record). A PNG carries the
// parameters of `settings`, the picture's.
using DocumentWriter = std::function<void(Archive&)>;
SaveMessages SaveRows(const std::string& path, SaveFormat format, PixelRows& rows, const RenderSettings& settings,
                      const DocumentWriter& document, std::error_code* reason = nullptr);

namespace messages {
inline constexpr const char* kCannotOpenForWriting = "Error trying to open file for writing";
inline constexpr const char* kErrorWhileSaving = "Error while saving file";
inline constexpr const char* kTooLargeForMetafile =
    "A metafile cannot hold a picture wider or higher than 32767 pixels";
}  // namespace messages

}  // namespace korvanta
