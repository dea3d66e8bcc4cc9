// Makes a document that stopped rendering at a given row, as one saved half way would be:
// the picture's first ROW rows, and rendering to go on from there.
// Usage: cut-document DOCUMENT.fra ROW OUT.fra
#include "core/archive/Archive.h"
#include "core/files/InputFile.h"
#include "core/files/RenderRecord.h"
#include "core/render/ClassRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>

int main(int argc, char* argv[])
{
    using namespace korvanta;
    std::ifstream in;
    if (argc != 4 || !OpenInputFile(in, argv[1])) {
        std::fprintf(stderr, "usage: %s DOCUMENT.fra (readable) ROW OUT.fra\n", argv[0]);
        return 2;
    }
    try {
        Archive reader(in, FindRegisteredClass);
        LoadedRecord record = ReadRenderRecord(reader);
        if (!record.job->SetPosition(0, std::atoi(argv[2]))) {
            std::fprintf(stderr, "row %s is not in the picture\n", argv[2]);
            return 1;
        }
        std::ofstream out(argv[3], std::ios::binary);
        Archive writer(out);
        WriteRenderRecord(writer, *record.job, record.placement);
        out.flush();
        return out.good() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
}
