#pragma once

#include "core/colorings/LogScaledColoring.h"

namespace korvanta {

// Polar Log's green and blue waves; red only lights up past the number of colors.
class CFractColBlueLagoon : public LogScaledColoring {
    KORVANTA_DECLARE_SERIAL(CFractColBlueLagoon)

public:
    CFractColBlueLagoon() : LogScaledColoring(1000000) {}

    const char* GetName() const override { return "Blue Lagoon"; }
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
