#pragma once

#include <ostream>

namespace korvanta {

// The whole of korvanta-render: parses the arguments, renders, writes the outputs. Returns
// the exit status (0 done, 1 a render or write failed, 2 bad arguments or input).
int RunRenderTool(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace korvanta
