#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvanta {

// The command line of korvanta-render, as given (values are checked when they are used).
struct RenderOptions {
    std::optional<std::string> document, scene;
    // A PNG this program wrote, or a location file of the deep-zoom programs, to start from;
    // and where to write the picture's location.
    std::optional<std::string> from, location, writeLocation;
    std::optional<std::string> area, centre, radius, size, formula, coloring, colors, constant;
    std::optional<bool> aspect, values;
    std::vector<std::string> outputs;
    // Pieces for a job runner: one band of the picture, the merge of band files, a zoom
    // sequence or one frame of it.
    std::optional<std::string> band, frames, frame, zoomTo;
    bool merge = false;
    std::vector<std::string> bandFiles;  // the merge's inputs
    int threads = 0;  // 0: every core
    bool quiet = false, help = false, version = false;
    // Figures at the end; the whole picture in memory even when only images are written.
    bool verbose = false, inMemory = false;
};

// Empty `error` when the arguments parse.
RenderOptions ParseRenderOptions(int argc, char** argv, std::string& error);

extern const char* const kRenderToolHelp;

}  // namespace korvanta
