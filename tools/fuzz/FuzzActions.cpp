#include "tools/fuzz/FuzzActions.h"

#include "core/archive/Archive.h"
#include "core/deep/FractAlgDeep.h"
#include "core/files/ImageWriters.h"
#include "core/render/ClassRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace korvanta::fuzz {

namespace {

std::string SaveDocument(const RenderJob& job, const WindowPlacement& placement)
{
    std::ostringstream out;
    Archive ar(out);
    WriteRenderRecord(ar, job, placement);
    return out.str();
}

void ExportEveryImageFormat(const PixelBuffer& pixels)
{
    std::ostringstream bmp, tga, wmf;
    if (!WriteBmp(bmp, pixels) || !WriteTga(tga, pixels))
        Contradiction("an image could not be written to memory");
    if (pixels.width() <= 32767 && pixels.height() <= 32767 && !WriteWmf(wmf, pixels))
        Contradiction("a metafile could not be written to memory");
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* png = open_memstream(&data, &size);
    if (!png)
        return;
    std::string error;
    const bool written = WritePng(png, pixels, error);
    std::fclose(png);
    std::free(data);
    if (!written)
        Contradiction("a PNG could not be written to memory");
}

}  // namespace

void Contradiction(const char* what)
{
    std::fprintf(stderr, "contradiction: %s\n", what);
    std::abort();
}

bool RecordFitsTheFuzzer(std::string_view bytes, std::size_t offset)
{
    if (offset + 4 > bytes.size())
        return true;
    std::istringstream in(std::string(bytes.substr(offset + 4)));
    try {
        Archive ar(in, FindRegisteredClass);
        RenderSettings settings;
        PictureObjects objects;
        settings.Serialize(ar, &objects);
        // A deep picture's reference grows with its limit.
        if (dynamic_cast<const CFractAlgDeep*>(objects.alg.get()) && objects.alg->GetMaxIter() > kMaxFuzzDeepLimit)
            return false;
        return std::uint64_t(std::uint32_t(settings.m_nWidth)) * std::uint32_t(settings.m_nHeight) <=
               kMaxFuzzPixels;
    } catch (const std::exception&) {
        return true;
    }
}

void UseLoadedPicture(const LoadedRecord& loaded)
{
    RenderJob& job = *loaded.job;
    const std::string before = SaveDocument(job, loaded.placement);
    for (int step = 0; step < 64 && job.RenderStep() != 0; ++step) {
    }
    const std::string saved = SaveDocument(job, loaded.placement);

    std::istringstream in(saved);
    Archive ar(in, FindRegisteredClass);
    LoadedRecord again;
    try {
        again = ReadRenderRecord(ar);
    } catch (const ArchiveError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Contradiction("a saved document does not load");
    }
    if (SaveDocument(*again.job, again.placement) != saved)
        Contradiction("a reloaded document saves differently");
    if (before.size() > saved.size())
        Contradiction("rendering lost pixels");
    ExportEveryImageFormat(job.Pixels());
}

}  // namespace korvanta::fuzz
