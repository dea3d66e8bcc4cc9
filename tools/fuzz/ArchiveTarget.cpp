// The object stream under documents and the desktop file: a script of reads, chosen by the
// input's first bytes, over the rest of it.
#include "tools/fuzz/FuzzActions.h"

#include "core/archive/Archive.h"
#include "core/colorings/FractCol.h"
#include "core/formulas/FractAlg.h"
#include "core/render/ClassRegistry.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korvanta;
    constexpr std::size_t kScript = 8;
    if (size < kScript)
        return 0;
    std::istringstream in{std::string(reinterpret_cast<const char*>(data) + kScript, size - kScript)};
    Archive ar(in, FindRegisteredClass);
    for (std::size_t i = 0; i < kScript; ++i) {
        try {
            switch (data[i] % 6) {
            case 0: ar.ReadString(); break;
            case 1: ar.ReadObject(CFractAlg::kClass); break;
            case 2: ar.ReadObject(CFractCol::kClass); break;
            case 3: ar.ReadObject(CObject::kClass); break;
            case 4: ar.Read<double>(); break;
            case 5: ar.Read<std::uint32_t>(); break;
            }
        } catch (const ArchiveError&) {
            return 0;
        }
    }
    return 0;
}
