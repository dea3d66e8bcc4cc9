#include "core/colorings/FractColPolarLog.h"

#include "core/colorings/ColorMath.h"
#include "core/colorings/Waves.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractColPolarLog, CFractCol)

// Red divides by the logarithm; green and blue multiply by its reciprocal. The two differ in
// the last bit, which shows in the channels.
std::uint32_t CFractColPolarLog::GetColor(const CFractValue& result) const
{
    const double a = LogPlusOne(Count(result));
    const double divided = a / m_dLogColors;
    const double multiplied = a * (1 / m_dLogColors);
    return Rgb(WaveChannel(std::sin((2.5 * divided - 0.25) * 6.282)), GreenWave(multiplied),
               BlueWave(multiplied));
}

}  // namespace korvanta
