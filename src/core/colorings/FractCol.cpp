#include "core/colorings/FractCol.h"

#include "core/archive/Archive.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractCol, CObject)

void CFractCol::Serialize(Archive& ar)
{
    ar.Transfer(m_nColors);
}

}  // namespace korvanta
