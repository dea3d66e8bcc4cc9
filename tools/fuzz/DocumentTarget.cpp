// A document (.fra) from anywhere: loads or is refused, and what loads is usable.
#include "tools/fuzz/FuzzActions.h"

#include "core/archive/Archive.h"
#include "core/render/ClassRegistry.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korvanta;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!fuzz::RecordFitsTheFuzzer(bytes, 0))
        return 0;
    std::istringstream in{std::string(bytes)};
    try {
        Archive ar(in, FindRegisteredClass);
        fuzz::UseLoadedPicture(ReadRenderRecord(ar));
    } catch (const ArchiveError&) {
    }
    return 0;
}
