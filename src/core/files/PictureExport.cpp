#include "core/files/PictureExport.h"

#include "core/archive/Archive.h"
#include "core/files/AtomicFile.h"
#include "core/files/ImageWriters.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

namespace korvanta {

namespace {

struct FormatInfo {
    const char* upper;
    const char* appended;
};

FormatInfo Info(SaveFormat format)
{
    switch (format) {
    case SaveFormat::Document: return {".FRA", ".Fra"};
    case SaveFormat::Bmp: return {".BMP", ".Bmp"};
    case SaveFormat::Tga: return {".TGA", ".Tga"};
    case SaveFormat::Png: return {".PNG", ".PNG"};
    case SaveFormat::Wmf: return {".WMF", ".wmf"};
    }
    return {"", ""};
}

// Streams one of the stream-based formats into the temporary file.
bool WriteStream(const std::string& temp, SaveFormat format, const RenderJob& job,
                 const WindowPlacement& placement, SaveMessages& messages)
{
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
        messages.push_back(messages::kCannotOpenForWriting);
        return false;
    }
    bool written = false;
    switch (format) {
    case SaveFormat::Document:
        try {
            Archive ar(out);
            WriteRenderRecord(ar, job, placement);
            written = true;
        } catch (const ArchiveError&) {
        }
        break;
    case SaveFormat::Bmp: written = WriteBmp(out, job.Pixels()); break;
    case SaveFormat::Tga: written = WriteTga(out, job.Pixels()); break;
    case SaveFormat::Wmf:
        if (job.Pixels().width() > 32767 || job.Pixels().height() > 32767) {
            messages.push_back(messages::kTooLargeForMetafile);
            return false;
        }
        written = WriteWmf(out, job.Pixels());
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

bool WritePngFile(const std::string& temp, const RenderJob& job, SaveMessages& messages)
{
    std::FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file) {
        messages.push_back(messages::kErrorWhileSaving);
        return false;
    }
    std::string error;
    const bool written = WritePng(file, job.Pixels(), error);
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

std::string WithExtension(const std::string& path, SaveFormat format)
{
    const FormatInfo info = Info(format);
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return tail == info.upper ? path : path + info.appended;
}

SaveMessages SavePicture(const std::string& path, SaveFormat format, const RenderJob& job,
                         const WindowPlacement& placement)
{
    SaveMessages messages;
    AtomicFile file(path);
    if (!file.IsOpen()) {
        messages.push_back(format == SaveFormat::Png ? messages::kErrorWhileSaving
                                                     : messages::kCannotOpenForWriting);
        return messages;
    }
    const std::string temp = file.TempPath().string();
    const bool written = format == SaveFormat::Png
                             ? WritePngFile(temp, job, messages)
                             : WriteStream(temp, format, job, placement, messages);
    if (written && !file.Commit())
        messages.push_back(messages::kErrorWhileSaving);
    return messages;
}

}  // namespace korvanta
