#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// z <- z^3 - C, tested on the new iterate by |Re| + |Im| against 4.
class CFractAlgJulia3 : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgJulia3)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Julia3 Set"; }
    bool UsesConstant() const override { return true; }
};

}  // namespace korvanta
