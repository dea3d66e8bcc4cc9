#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// z <- C sin z, the sine by its Taylor polynomial up to the ninth power.
class CFractAlgSinz : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgSinz)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Sinz Set"; }
    bool UsesConstant() const override { return true; }
};

}  // namespace korvanta
