#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// z <- z^3 - c from z = c, tested on the new iterate by |Re| + |Im|.
class CFractAlgMandelbrot3 : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgMandelbrot3)

public:
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Mandelbrot3 Set"; }
};

}  // namespace korvanta
