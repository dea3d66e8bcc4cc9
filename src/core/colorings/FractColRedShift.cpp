#include "core/colorings/FractColRedShift.h"

#include "core/colorings/FantasyPalette.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractColRedShift, CFractCol)

std::uint32_t CFractColRedShift::GetColor(const CFractValue& result) const
{
    return FantasyColor(Count(result));
}

}  // namespace korvanta
