#include "core/files/PictureExport.h"

#include "core/archive/Archive.h"
#include "core/files/AtomicFile.h"
#include "core/files/ImageWriters.h"
#include "core/files/PictureParameters.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fstream>

namespace korvanta {

namespace {

const SaveFormatInfo& Info(SaveFormat format)
{
    return kSaveFormats[static_cast<std::size_t>(format) - 1];
}

// The system's reason for the write that just failed; streams keep no error of their own.
std::error_code WriteError()
{
    return {errno ? errno : EIO, std::generic_category()};
}

// Streams one of the stream-based formats into the temporary file.
bool WriteStream(const std::string& temp, SaveFormat format, PixelRows& rows,
                 const DocumentWriter& document, SaveMessages& messages, std::error_code& reason)
{
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
        reason = WriteError();
        messages.push_back(messages::kCannotOpenForWriting);
        return false;
    }
    bool written = false;
    switch (format) {
    case SaveFormat::Document:
        try {
            Archive ar(out);
            document(ar);
            written = true;
        } catch (const ArchiveError&) {
        }
        break;
    case SaveFormat::Bmp: written = WriteBmp(out, rows); break;
    case SaveFormat::Tga: written = WriteTga(out, rows); break;
    case SaveFormat::Wmf:
        if (rows.Width() > 32767 || rows.Height() > 32767) {
            messages.push_back(messages::kTooLargeForMetafile);
            return false;
        }
        written = WriteWmf(out, rows);
        break;
    case SaveFormat::Png: break;
    }
    if (written && out)
        out.close();
    if (!written || !out) {
        reason = WriteError();
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    return true;
}

bool WritePngFile(const std::string& temp, PixelRows& rows, const RenderSettings& settings,
                  SaveMessages& messages, std::error_code& reason)
{
    errno = 0;
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        reason = WriteError();
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    std::string error;
    const bool written = WritePng(file, rows, error, PngTextsOfPicture(settings));
    if (!written)
        reason = WriteError();
    const bool closed = std::fclose(file) == 0;
    if (written && !closed)
        reason = WriteError();
    if (!written && !error.empty())
        messages.push_back(error);
    if (!written || !closed) {
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    return true;
}

}  // namespace

std::string SaveFilters()
{
    std::string filters;
    for (const SaveFormatInfo& info : kSaveFormats)
        filters += (filters.empty() ? "" : ";;") + std::string(info.filter);
    return filters;
}

bool HasExtension(const std::string& path, SaveFormat format)
{
    const std::string_view extension = Info(format).extension;
    return path.size() >= extension.size() &&
           std::equal(extension.begin(), extension.end(), path.end() - extension.size(),
                      [](unsigned char a, unsigned char b) { return std::toupper(a) == std::toupper(b); });
}

std::string WithExtension(const std::string& path, SaveFormat format)
{
    return HasExtension(path, format) ? path : path + Info(format).extension;
}

std::optional<SaveFormat> FormatOfName(const std::string& path)
{
    for (const SaveFormatInfo& info : kSaveFormats)
        if (HasExtension(path, info.format))
            return info.format;
    return std::nullopt;
}

SaveMessages SavePicture(const std::string& path, SaveFormat format, const RenderJob& job,
                         const WindowPlacement& placement, std::error_code* reason)
{
    BufferRows rows(job.Pixels());
    return SaveRows(path, format, rows, job.Settings(), [&](Archive& ar) { WriteRenderRecord(ar, job, placement); },
                    reason);
}

SaveMessages SaveRows(const std::string& path, SaveFormat format, PixelRows& rows, const RenderSettings& settings,
                      const DocumentWriter& document, std::error_code* reason)
{
    SaveMessages messages;
    std::error_code why;
    AtomicFile file(path);
    if (!file.IsOpen()) {
        why = file.Error();
        messages.push_back(format == SaveFormat::Png ? messages::kErrorWhileSaving
                                                     : messages::kCannotOpenForWriting);
    } else {
        const std::string temp = file.TempPath().string();
        const bool written = format == SaveFormat::Png
                                 ? WritePngFile(temp, rows, settings, messages, why)
                                 : WriteStream(temp, format, rows, document, messages, why);
        if (written && !file.Commit()) {
            why = file.Error();
            messages.push_back(messages::kErrorWhileSaving);
        }
    }
    if (reason)
        *reason = messages.empty() ? std::error_code{} : why;
    return messages;
}

}  // namespace korvanta
