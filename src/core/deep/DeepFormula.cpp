#include "core/deep/DeepFormula.h"

#include "core/formulas/FormulaList.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgJulia3.h"
#include "core/formulas/FractAlgLambda.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/formulas/FractAlgMandelbrot3.h"

namespace korvanta {

std::optional<DeepKind> DeepKindOfFormula(std::int32_t formulaIndex)
{
    const auto classes = FormulaClasses();
    if (formulaIndex < 0 || static_cast<std::size_t>(formulaIndex) >= classes.size())
        return std::nullopt;
    const CRuntimeClass* c = classes[static_cast<std::size_t>(formulaIndex)];
    if (c == &CFractAlgMandelbrot::kClass)
        return DeepKind::Mandelbrot;
    if (c == &CFractAlgJulia::kClass)
        return DeepKind::Julia;
    if (c == &CFractAlgMandelbrot3::kClass)
        return DeepKind::Mandelbrot3;
    if (c == &CFractAlgJulia3::kClass)
        return DeepKind::Julia3;
    if (c == &CFractAlgLambda::kClass)
        return DeepKind::Lambda;
    return std::nullopt;
}

}  // namespace korvanta
