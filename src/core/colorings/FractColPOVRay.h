#pragma once

#include "core/colorings/LogScaledColoring.h"

namespace korvanta {

// A 16-bit height on the log scale: red the high byte, green the low byte.
class CFractColPOVRay : public LogScaledColoring {
    KORVANTA_DECLARE_SERIAL(CFractColPOVRay)

public:
    CFractColPOVRay() : LogScaledColoring(65535) {}

    const char* GetName() const override { return "POV-Ray heightfield"; }
    // Above 65535 (negative numbers included, taken as unsigned) becomes 65535.
    void SetNumColors(std::int32_t n) override;
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
