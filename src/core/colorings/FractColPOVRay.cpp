#include "core/colorings/FractColPOVRay.h"

#include "core/colorings/ColorMath.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractColPOVRay, CFractCol)

void CFractColPOVRay::SetNumColors(std::int32_t n)
{
    if (static_cast<std::uint32_t>(n) > 65535u)
        n = 65535;
    LogScaledColoring::SetNumColors(n);
}

std::uint32_t CFractColPOVRay::GetColor(const CFractValue& result) const
{
    const std::uint32_t height =
        static_cast<std::uint32_t>(TruncInt((LogPlusOne(Count(result)) / m_dLogColors) * 65535));
    return Rgb((height >> 8) & 0xFF, height & 0xFF, 0);
}

}  // namespace korvanta
