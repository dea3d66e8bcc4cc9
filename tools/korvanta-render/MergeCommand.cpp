#include "tools/korvanta-render/JobPieces.h"

#include "core/files/BandSet.h"
#include "core/files/PictureExport.h"

namespace korvanta {

int RunMerge(const RenderOptions& options, std::ostream& err, const ToolFailure& fail)
{
    const bool picture = options.document || options.scene || options.from || options.location || options.area || options.centre || options.radius || options.size ||
                         options.formula || options.coloring || options.colors || options.constant ||
                         options.aspect || options.values || options.band || options.frames ||
                         options.frame || options.zoomTo;
    if (picture)
        return fail("--merge takes band files and -o FILE only: the bands know their picture", 2);
    BandSet bands;
    std::string error;
    if (!bands.Open(options.bandFiles, error))
        return fail(error, 2);
    int status = 0;
    for (const std::string& output : options.outputs) {
        std::error_code reason;
        const SaveMessages messages = SaveRows(
            output, *FormatOfName(output), bands, bands.Settings(), [&](Archive& ar) { bands.WriteDocument(ar); }, &reason);
        status = std::max(status, ReportSaveFailure(err, output, messages, reason));
    }
    return status;
}

}  // namespace korvanta
