#pragma once

#include "core/colorings/FractCol.h"

namespace korvanta {

// The Fantasy palette on a log scale fitted to 2304 iterations.
class CFractCol2304 : public CFractCol {
    KORVANTA_DECLARE_SERIAL(CFractCol2304)

public:
    const char* GetName() const override { return "Fantasy 2304"; }
    std::int32_t GetNumColors() const override { return 2304; }
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
