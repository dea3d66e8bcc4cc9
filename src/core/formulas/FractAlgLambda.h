#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// The logistic map z <- C z (1 - z).
class CFractAlgLambda : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgLambda)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "z(k - 1) = Cz(1 - z)"; }
    bool UsesConstant() const override { return true; }
};

}  // namespace korvanta
