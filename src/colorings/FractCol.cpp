#include "colorings/FractCol.h"

#include "files/Archive.h"

namespace korvanta {

KORVANTA_IMPLEMENT_SERIAL(CFractCol, CObject)

void CFractCol::Serialize(Archive& ar)
{
    ar.Transfer(m_nColors);
}

}  // namespace korvanta
