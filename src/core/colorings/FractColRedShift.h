#pragma once

#include "core/colorings/FractCol.h"

namespace korvanta {

// The Fantasy palette indexed by the count itself.
class CFractColRedShift : public CFractCol {
    KORVANTA_DECLARE_SERIAL(CFractColRedShift)

public:
    const char* GetName() const override { return "Red Shift"; }
    std::int32_t GetNumColors() const override { return 2304; }
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
