#include "core/files/RowExport.h"

#include "core/archive/Archive.h"
#include "core/files/AtomicFile.h"
#include "core/files/ImageWriters.h"

#include <cstdio>
#include <fstream>

namespace korvanta {

namespace {

bool WriteStream(const std::string& temp, SaveFormat format, RowPicture& picture, SaveMessages& messages)
{
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
        messages.push_back(messages::kCannotOpenForWriting);
        return false;
    }
    PixelRows& rows = picture.rows;
    bool written = false;
    switch (format) {
    case SaveFormat::Document:
        try {
            Archive ar(out);
            const std::int32_t width = rows.Width(), height = rows.Height();
            WriteRenderRecord(ar, picture.settings, 0, height, BitmapInfoHeader::ForPicture(width, height),
                              rows, std::uint64_t(width) * std::uint64_t(height), picture.placement);
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
    out.close();
    if (!written || !out) {
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    return true;
}

bool WritePngFile(const std::string& temp, PixelRows& rows, SaveMessages& messages)
{
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    std::string error;
    const bool written = WritePng(file, rows, error);
    const bool closed = std::fclose(file) == 0;
    if (!written && !error.empty())
        messages.push_back(error);
    if (!written || !closed) {
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    return true;
}

}  // namespace

SaveMessages SaveRows(const std::string& path, SaveFormat format, RowPicture& picture)
{
    SaveMessages messages;
    AtomicFile file(path);
    if (!file.IsOpen()) {
        messages.push_back(messages::kCannotOpenForWriting);
        return messages;
    }
    const std::string temp = file.TempPath().string();
    const bool written = format == SaveFormat::Png ? WritePngFile(temp, picture.rows, messages)
                                                   : WriteStream(temp, format, picture, messages);
    if (written && !file.Commit())
        messages.push_back(messages::kErrorWhileSaving);
    return messages;
}

}  // namespace korvanta
