#pragma once

#include "core/archive/Archive.h"
#include "core/files/RenderRecord.h"
#include "core/render/RenderJob.h"

#include <sstream>
#include <string>

namespace korvanta::test {

// The bytes of a document holding `job` at `placement`, as a save writes them.
inline std::string Document(const RenderJob& job, WindowPlacement placement = {})
{
    std::ostringstream out;
    Archive ar(out);
    WriteRenderRecord(ar, job, placement);
    return out.str();
}

}  // namespace korvanta::test
