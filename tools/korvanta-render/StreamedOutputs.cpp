#include "tools/korvanta-render/StreamedOutputs.h"

#include "tools/korvanta-render/JobPieces.h"
#include "core/files/PictureExport.h"
#include "core/render/StreamedRows.h"

#include <algorithm>

namespace korvanta {

bool RendersAsWritten(const RenderOptions& options, const std::vector<std::string>& outputs)
{
    return !options.inMemory && !options.document &&
           std::none_of(outputs.begin(), outputs.end(),
                        [](const std::string& name) { return FormatOfName(name) == SaveFormat::Document; });
}

int WriteAsRendered(const RenderJob& job, const std::vector<std::string>& outputs, int threads,
                    std::ostream& err, const std::function<void(std::int32_t)>& progress,
                    std::int64_t& pixels)
{
    int status = 0;
    for (const std::string& output : outputs) {
        StreamedRows rows(job, threads, progress);
        std::error_code reason;
        const SaveMessages messages = SaveRows(output, *FormatOfName(output), rows, job.Settings(), {}, &reason);
        pixels += rows.RowsComputed() * rows.Width();
        // A row that could not be computed is the reason the file was not written.
        rows.RaiseFailure();
        status = std::max(status, ReportSaveFailure(err, output, messages, reason));
    }
    return status;
}

}  // namespace korvanta
