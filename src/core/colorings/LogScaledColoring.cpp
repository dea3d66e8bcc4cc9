#include "core/colorings/LogScaledColoring.h"

#include "core/colorings/ColorMath.h"
#include "core/archive/Archive.h"

namespace korvanta {

void LogScaledColoring::SetNumColors(std::int32_t n)
{
    m_nColors = n;
    m_dLogColors = LogPlusOne(static_cast<std::uint32_t>(n));
}

// The logarithm is read back as stored, not recomputed.
void LogScaledColoring::Serialize(Archive& ar)
{
    CFractCol::Serialize(ar);
    ar.Transfer(m_dLogColors);
}

}  // namespace korvanta
