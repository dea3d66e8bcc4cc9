#include "colorings/LogScaledColoring.h"

#include "colorings/ColorMath.h"
#include "files/Archive.h"

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
