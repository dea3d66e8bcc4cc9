#pragma once

#include "tools/korvanta-render/Options.h"
#include "core/render/RenderJob.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace korvanta {

// Whether these outputs are rendered as they are written, never holding the picture: images
// alone, of a new picture (a document stores the whole picture; one resumed holds it
// already), unless --in-memory asks otherwise.
bool RendersAsWritten(const RenderOptions& options, const std::vector<std::string>& outputs);

// Writes the picture of `job` (prepared, without a buffer) to every image output, each in
// a streamed pass of its own: the formats ask for rows in different orders, and rendering
// twice costs time but never bytes. Failed saves are reported to `err` (status 1); a failed
// rendering is raised. `pixels` counts the pixels computed.
int WriteAsRendered(const RenderJob& job, const std::vector<std::string>& outputs, int threads,
                    std::ostream& err, const std::function<void(std::int32_t rowsDone)>& progress,
                    std::int64_t& pixels);

}  // namespace korvanta
