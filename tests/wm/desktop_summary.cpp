// Prints a saved desktop one line a window, then the control window's fields, so the window
// manager tests can tell from outside what the explorer kept. Usage: desktop-summary FILE
#include "core/archive/Archive.h"
#include "core/files/DesktopFile.h"
#include "core/files/InputFile.h"
#include "core/render/ClassRegistry.h"
#include "core/render/RenderJob.h"

#include <cstdio>
#include <exception>

int main(int argc, char* argv[])
{
    using namespace korvanta;
    std::ifstream in;
    if (argc != 2 || !OpenInputFile(in, argv[1])) {
        std::fprintf(stderr, "usage: %s DESKTOP-FILE (readable)\n", argv[0]);
        return 2;
    }
    try {
        Archive ar(in, FindRegisteredClass);
        const auto count = ar.Read<std::uint32_t>();
        for (std::uint32_t i = 0; i < count; ++i) {
            const LoadedRecord record = ReadRenderRecord(ar);
            const RenderSettings& s = record.job->Settings();
            const CFractValue c = s.m_pAlg->GetConstant();
            const WindowPlacement& p = record.placement;
            std::printf("window %u formula=%d area=%.17g,%.17g,%.17g,%.17g c=%.17g,%.17g size=%dx%d "
                        "finished=%d outer=%d,%d,%d,%d show=%d\n",
                        i, s.m_nFormula, s.m_dXStart, s.m_dXEnd, s.m_dYStart, s.m_dYEnd, c.m_z.real(), c.m_z.imag(),
                        s.m_nWidth, s.m_nHeight, record.job->Finished() ? 1 : 0, p.left, p.top,
                        p.right, p.bottom, static_cast<int>(p.showCmd));
        }
        DesktopFields f;
        TransferDesktopFields(ar, f);
        std::printf("fields area=%s,%s,%s,%s c=%s,%s formula=%d outer=%d,%d,%d,%d\n", f.xStart.c_str(),
                    f.xEnd.c_str(), f.yStart.c_str(), f.yEnd.c_str(), f.cRe.c_str(), f.cIm.c_str(),
                    f.formula, f.placement.left, f.placement.top, f.placement.right, f.placement.bottom);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
