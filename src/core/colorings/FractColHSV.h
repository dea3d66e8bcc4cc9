#pragma once

#include "core/colorings/FractCol.h"

namespace korvanta {

// Shown as "RGB": the low 18 bits of the count spread over the channels, 6 bits each.
class CFractColHSV : public CFractCol {
    KORVANTA_DECLARE_SERIAL(CFractColHSV)

public:
    CFractColHSV() { m_nColors = 262143; }

    const char* GetName() const override { return "RGB"; }
    bool CanSetNumColors() const override { return true; }
    std::int32_t GetNumColors() const override { return m_nColors; }
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
