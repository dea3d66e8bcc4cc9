#pragma once

#include "core/render/RenderJob.h"

#include <functional>

namespace korvanta {

// Renders what is left of a picture on several threads, each with its own copy of the
// formula, row by row. Pixels, position and the formula's final state are exactly what
// stepping the job to its end gives, whatever the number of threads. `progress` is called
// on the calling thread with the number of rows complete, now and then.
//
// When a thread fails (a copy of the formula cannot be made, memory runs out), the others
// stop after their current row, every thread is joined, and the first failure is raised
// here; the picture then stays unfinished where it was.
void RenderInParallel(RenderJob& job, int threads,
                      const std::function<void(std::int32_t rowsDone)>& progress = {});

}  // namespace korvanta
