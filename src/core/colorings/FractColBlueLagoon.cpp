#include "core/colorings/FractColBlueLagoon.h"

#include "core/colorings/Waves.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractColBlueLagoon, CFractCol)

// Unlike Polar Log, green takes the divided scale and red and blue the multiplied one.
std::uint32_t CFractColBlueLagoon::GetColor(const CFractValue& result) const
{
    const double a = LogPlusOne(Count(result));
    const double divided = a / m_dLogColors;
    const double multiplied = a * (1 / m_dLogColors);
    return Rgb(Channel(multiplied), GreenWave(divided), BlueWave(multiplied));
}

}  // namespace korvanta
