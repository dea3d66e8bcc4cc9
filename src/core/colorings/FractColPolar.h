#pragma once

#include "core/colorings/FractCol.h"

namespace korvanta {

// Red grows with the log of the count; green and blue turn around a circle ten times.
class CFractColPolar : public CFractCol {
    KORVANTA_DECLARE_SERIAL(CFractColPolar)

public:
    CFractColPolar() { m_nColors = 23040; }

    const char* GetName() const override { return "Polar"; }
    std::int32_t GetNumColors() const override { return m_nColors; }
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
