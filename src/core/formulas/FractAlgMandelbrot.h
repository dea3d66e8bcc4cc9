#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta {

// z <- z^2 - c from z = c: the familiar set mirrored about the imaginary axis.
class CFractAlgMandelbrot : public CFractAlg {
    KORVANTA_DECLARE_SERIAL(CFractAlgMandelbrot)

public:
    void Serialize(Archive& ar) override;
    bool Iterate() override;
    void IteratePixel(bool watchCycles) override;
    const char* GetName() const override { return "Mandelbrot Set"; }

    // Stored with the formula; no iteration reads it.
    CFractValue m_aux;
};

}  // namespace korvanta
