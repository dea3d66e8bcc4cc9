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

// Renders rows `first` to `end` (exclusive) whole, with the whole picture's pixel mapping, on
// several threads as above, and leaves the job's position and formula alone: for pieces of
// a picture that are put together elsewhere. `progress` counts rows of the range.
void RenderRowsInParallel(RenderJob& job, std::int32_t first, std::int32_t end, int threads,
                          const std::function<void(std::int32_t rowsDone)>& progress = {});

}  // namespace korvanta
