#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// z <- z^2 - C from the point; the test belongs to the iterate before the step.
class CFractAlgJulia : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgJulia)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Julia Set"; }
    bool UsesConstant() const override { return true; }
};

}  // namespace korvanta
