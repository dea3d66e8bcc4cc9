#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// Newton's method for z^3 + C = 0; counts the steps until the iterate stops moving.
class CFractAlgNewRap1 : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgNewRap1)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Newton Raphson X^3"; }
    bool UsesConstant() const override { return true; }
};

}  // namespace korvanta
