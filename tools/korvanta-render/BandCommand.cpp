#include "tools/korvanta-render/JobPieces.h"
#include "tools/korvanta-render/OptionText.h"

#include "core/files/AtomicFile.h"
#include "core/files/BandFile.h"
#include "core/files/PictureExport.h"
#include "core/render/BandRows.h"
#include "core/render/ParallelRender.h"

#include <cerrno>
#include <fstream>
#include <stdexcept>

namespace korvanta {

namespace {

// "K/N" with 0 <= K < N, digits only.
bool ParseBand(const std::string& text, std::int32_t& band, std::int32_t& bands)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return false;
    const std::string_view all = text;
    const auto k = WholeNumber(all.substr(0, slash)), n = WholeNumber(all.substr(slash + 1));
    if (!k || !n || *n < 1 || *k >= *n)
        return false;
    band = *k, bands = *n;
    return true;
}

// Written like every other output: complete under a temporary name, then renamed.
bool SaveBand(const std::string& path, const BandHeader& header, PixelRows& rows, std::string& error)
{
    AtomicFile file(path);
    std::error_code reason = file.Error();
    bool saved = false;
    if (file.IsOpen()) {
        errno = 0;
        std::ofstream out(file.TempPath(), std::ios::binary | std::ios::trunc);
        bool written = out && WriteBand(out, header, rows);
        if (written) {
            out.close();
            written = static_cast<bool>(out);
        }
        if (!written)
            reason = {errno ? errno : EIO, std::generic_category()};
        saved = written && file.Commit();
        if (written && !saved)
            reason = file.Error();
    }
    if (!saved)
        error = std::string(file.IsOpen() ? messages::kErrorWhileSaving : messages::kCannotOpenForWriting) +
                (reason ? ": " + reason.message() : std::string());
    return saved;
}

}  // namespace

int RunBand(const RenderOptions& options, const OverlayDrawer& overlay, const ToolFailure& fail)
{
    if (options.document)
        return fail("--band renders a new picture; finish a document whole (--document without --band)", 2);
    if (options.merge || options.frames || options.frame || options.zoomTo)
        return fail("--band goes with neither --merge nor --frames", 2);
    std::int32_t band = 0, bands = 0;
    if (!ParseBand(*options.band, band, bands))
        return fail("--band needs K/N, band K (0 to N-1) of N, e.g. 3/8; not '" + *options.band + "'", 2);
    if (options.outputs.size() != 1)
        return fail("--band writes one band file: give exactly one -o FILE", 2);
    const std::string& output = options.outputs.front();
    if (FormatOfName(output))
        return fail("'" + output + "': --band writes a band file, not a picture (name it e.g. part-" +
                        std::to_string(band) + ".band; --merge makes the picture)",
                    2);

    std::string error;
    std::unique_ptr<RenderJob> job;
    try {
        job = PreparePicture(options, overlay, error);
    } catch (const std::runtime_error& e) {
        error = e.what();
    }
    if (!job)
        return fail(error, 2);
    const std::int32_t height = job->Settings().m_nHeight;
    if (bands > height)
        return fail("--band " + *options.band + ": the picture has " + std::to_string(height) +
                        " rows, so at most " + std::to_string(height) + " bands",
                    2);

    BandHeader header;
    header.settingsRecord = SettingsRecord(job->Settings());
    header.digest = PictureDigest(header.settingsRecord, job->Overlay());
    header.width = job->Settings().m_nWidth;
    header.height = height;
    const RowRange rows = BandRows(height, band, bands);
    header.firstRow = rows.first;
    header.rowCount = rows.count;
    header.band = band;
    header.bands = bands;
    try {
        RenderRowsInParallel(*job, rows.first, rows.end(), ThreadsToUse(options));
    } catch (const std::exception& e) {
        return fail(std::string("rendering failed: ") + e.what(), 1);
    }
    BufferRows picture(job->Pixels());
    if (!SaveBand(output, header, picture, error))
        return fail(output + ": " + error, 1);
    return 0;
}

}  // namespace korvanta
