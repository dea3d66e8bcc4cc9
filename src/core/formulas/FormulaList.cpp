#include "core/formulas/FormulaList.h"

#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgJulia3.h"
#include "core/formulas/FractAlgLambda.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FractAlgMandelbrot3.h"
#include "core/formulas/FractAlgNewRap1.h"
#include "core/formulas/FractAlgRap2.h"
#include "core/formulas/FractAlgSinz.h"

#include <array>

namespace korvanta {

std::span<const CRuntimeClass* const> FormulaClasses()
{
    static constexpr std::array<const CRuntimeClass*, 8> classes{
        &CFractAlgMandelbrot::kClass, &CFractAlgMandelbrot3::kClass, &CFractAlgJulia::kClass,
        &CFractAlgJulia3::kClass,     &CFractAlgLambda::kClass,      &CFractAlgNewRap1::kClass,
        &CFractAlgSinz::kClass,       &CFractAlgRap2::kClass,
    };
    return classes;
}

std::unique_ptr<CFractAlg> CreateFormula(std::int32_t index)
{
    return CreateListed<CFractAlg>(FormulaClasses(), index);
}

}  // namespace korvanta
