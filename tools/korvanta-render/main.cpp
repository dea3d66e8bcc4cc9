// korvanta-render: renders Korvanta pictures without a display.
#include "tools/korvanta-render/RenderTool.h"

#include <iostream>

int main(int argc, char* argv[])
{
    return korvanta::RunRenderTool(argc, argv, std::cout, std::cerr);
}
