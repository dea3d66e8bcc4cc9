// A desktop file: the count of render windows, their records, then the control window's
// fields. Whatever reads must give fields that Render can check.
#include "tools/fuzz/FuzzActions.h"

#include "core/archive/Archive.h"
#include "core/files/DesktopFile.h"
#include "core/render/ClassRegistry.h"
#include "core/render/RenderRequest.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korvanta;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in{std::string(bytes)};
    try {
        Archive ar(in, FindRegisteredClass);
        const auto count = ar.Read<std::uint32_t>();
        for (std::uint32_t i = 0; i < count; ++i) {
            if (!fuzz::RecordFitsTheFuzzer(bytes, static_cast<std::size_t>(in.tellg())))
                return 0;
            fuzz::UseLoadedPicture(ReadRenderRecord(ar));
        }
        DesktopFields f;
        TransferDesktopFields(ar, f);
        RenderFields fields;
        fields.xStart = f.xStart, fields.xEnd = f.xEnd, fields.yStart = f.yStart, fields.yEnd = f.yEnd;
        fields.width = f.width, fields.height = f.height, fields.cRe = f.cRe, fields.cIm = f.cIm;
        fields.colors = f.colors;
        fields.aspectRatio = f.aspectRatio, fields.showValues = f.showValues;
        const auto checked = CheckRenderFields(fields, true);
        if (const auto* request = std::get_if<RenderRequest>(&checked)) {
            const RenderSettings& s = request->settings;
            if (s.m_nWidth < kMinPictureSide || s.m_nWidth > kMaxPictureSide ||
                s.m_nHeight < kMinPictureSide || s.m_nHeight > kMaxPictureSide)
                fuzz::Contradiction("Render accepted a size outside its limits");
        }
    } catch (const ArchiveError&) {
    }
    return 0;
}
