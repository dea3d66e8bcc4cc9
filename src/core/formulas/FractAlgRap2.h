#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// Newton's method for -z^3 + 9z^2 - 18z + C = 0.
class CFractAlgRap2 : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgRap2)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Newton Raphson -x^3+9x^2-18x+C"; }
    bool UsesConstant() const override { return true; }
};

}  // namespace korvanta
