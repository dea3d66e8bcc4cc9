#pragma once

#include "core/colorings/LogScaledColoring.h"

namespace korvanta {

// Three waves of different frequency over the log scale.
class CFractColPolarLog : public LogScaledColoring {
    KORVANTA_DECLARE_SERIAL(CFractColPolarLog)

public:
    CFractColPolarLog() : LogScaledColoring(1000000) {}

    const char* GetName() const override { return "Polar Log"; }
    std::uint32_t GetColor(const CFractValue& result) const override;
};

}  // namespace korvanta
