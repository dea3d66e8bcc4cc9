#include "tools/korvanta-render/JobPieces.h"

#include "core/files/BandSet.h"
#include "core/files/RowExport.h"

namespace korvanta {

int RunMerge(const RenderOptions& options, std::ostream& err, const ToolFailure& fail)
{
    const bool picture = options.document || options.scene || options.area || options.size ||
                         options.formula || options.coloring || options.colors || options.constant ||
                         options.aspect || options.values || options.band || options.frames ||
                         options.frame || options.zoomTo;
    if (picture)
        return fail("--merge takes band files and -o FILE only: the bands know their picture", 2);
    BandSet bands;
    std::string error;
    if (!bands.Open(options.bandFiles, error))
        return fail(error, 2);
    RowPicture merged{bands, bands.Settings(), bands.Placement()};
    int status = 0;
    for (const std::string& output : options.outputs) {
        for (const std::string& message : SaveRows(output, *FormatOfName(output), merged)) {
            err << "korvanta-render: " << output << ": " << message << '\n';
            status = 1;
        }
    }
    return status;
}

}  // namespace korvanta
