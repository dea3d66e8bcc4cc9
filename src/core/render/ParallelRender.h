#pragma once

#include "core/render/RenderJob.h"

#include <functional>

namespace korvanta {

// Renders what is left of a picture on several threads, each with its own copy of the
// formula, row by row. Pixels, position and the formula's final state are exactly what
// stepping the job to its end gives, whatever the number of threads. `progress` is called
// on the calling thread with the number of rows complete, now and then.
void RenderInParallel(RenderJob& job, int threads,
                      const std::function<void(std::int32_t rowsDone)>& progress = {});

}  // namespace korvanta
