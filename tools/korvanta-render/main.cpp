// korvanta-render: renders Korvanta pictures without a display.
#include "tools/korvanta-render/ProcessGuards.h"
#include "tools/korvanta-render/RenderTool.h"

#include <iostream>

int main(int argc, char* argv[])
{
    korvanta::RemoveTemporaryFilesOnInterrupt();
    const int status = korvanta::RunRenderTool(argc, argv, std::cout, std::cerr);
    return korvanta::FinishStandardOutput(status);
}
