#pragma once

#include "tools/korvanta-render/Options.h"
#include "tools/korvanta-render/PictureRequest.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>
#include <thread>

namespace korvanta {

// korvanta-render's pieces for job runners. Each returns the exit status; `fail` prints a
// message and returns the status it is given.
using ToolFailure = std::function<int(const std::string& message, int status)>;

// --band K/N: one band of the picture into a band file.
int RunBand(const RenderOptions& options, const OverlayDrawer& overlay, const ToolFailure& fail);

// --merge: band files into every output; nothing is written unless they make up one picture.
int RunMerge(const RenderOptions& options, std::ostream& err, const ToolFailure& fail);

// --frames N: a zoom sequence, or one frame of it.
int RunFrames(const RenderOptions& options, const OverlayDrawer& overlay, std::ostream& err,
              const ToolFailure& fail);

// Prints what went wrong writing `output`, the system's reason after the last message, as
// every save of korvanta-render reports it; 1 when something did, 0 otherwise.
inline int ReportSaveFailure(std::ostream& err, const std::string& output, const std::vector<std::string>& messages,
                             const std::error_code& reason)
{
    for (std::size_t i = 0; i < messages.size(); ++i) {
        err << "korvanta-render: " << output << ": " << messages[i];
        if (reason && i + 1 == messages.size())
            err << ": " << reason.message();
        err << '\n';
    }
    return messages.empty() ? 0 : 1;
}

inline int ThreadsToUse(const RenderOptions& options)
{
    return options.threads > 0 ? options.threads
                               : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace korvanta
