#include "core/colorings/FractColHSV.h"

#include "core/colorings/ColorMath.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractColHSV, CFractCol)

std::uint32_t CFractColHSV::GetColor(const CFractValue& result) const
{
    const std::uint32_t n = Count(result);
    return Rgb(4 * ((n >> 6) & 63), 4 * ((n >> 12) & 63), 4 * (n & 63));
}

}  // namespace korvanta
