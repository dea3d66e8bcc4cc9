#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvanta {

// The command line of korvanta-render, as given (values are checked when they are used).
struct RenderOptions {
    std::optional<std::string> document, scene;
    std::optional<std::string> area, size, formula, coloring, colors, constant;
    std::optional<bool> aspect, values;
    std::vector<std::string> outputs;
    int threads = 0;  // 0: every core
    bool quiet = false, help = false, version = false;
};

// Empty `error` when the arguments parse.
RenderOptions ParseRenderOptions(int argc, char** argv, std::string& error);

extern const char* const kRenderToolHelp;

}  // namespace korvanta
