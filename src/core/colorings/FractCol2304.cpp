#include "core/colorings/FractCol2304.h"

#include "core/colorings/ColorMath.h"
#include "core/colorings/FantasyPalette.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractCol2304, CFractCol)

std::uint32_t CFractCol2304::GetColor(const CFractValue& result) const
{
    static const double kLogScale = std::log(2305.0);
    const double index = LogPlusOne(Count(result)) * 2304 / kLogScale;
    return FantasyColor(static_cast<std::uint32_t>(TruncInt(index)));
}

}  // namespace korvanta
