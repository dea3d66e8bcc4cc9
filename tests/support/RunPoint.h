#pragma once

#include "core/formulas/FractAlg.h"

namespace korvanta::test {

// Sets up `alg` so that pixel (0, 0) is the point (x, y), with the given limit and C.
inline void AimAt(CFractAlg& alg, double x, double y, std::int32_t limit, CFractValue c = {})
{
    alg.SetArea(x, x + 1, y, y + 1);
    alg.SetWidth(1);
    alg.SetHeight(1);
    alg.SetMaxIter(limit);
    alg.SetConstant(c);
}

// Iterates pixel (0, 0) to its end; returns the number of Iterate calls it took.
inline int Finish(CFractAlg& alg)
{
    alg.SetPoint(0, 0);
    int calls = 1;
    while (!alg.Iterate())
        ++calls;
    return calls;
}

}  // namespace korvanta::test
