#include "core/colorings/FractColPolar.h"

#include "core/colorings/ColorMath.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractColPolar, CFractCol)

std::uint32_t CFractColPolar::GetColor(const CFractValue& result) const
{
    const double a = LogPlusOne(Count(result));
    const double scale = LogPlusOne(static_cast<std::uint32_t>(m_nColors));
    const double angle = (a * 10 / scale) * 6.282;
    return Rgb(Channel(a * 255 / scale), WaveChannel(std::sin(angle)),
               WaveChannel(std::cos(angle)));
}

}  // namespace korvanta
