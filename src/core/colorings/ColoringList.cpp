#include "core/colorings/ColoringList.h"

#include "core/colorings/FractCol2304.h"
#include "core/colorings/FractColBlueLagoon.h"
#include "core/colorings/FractColHSV.h"
#include "core/colorings/FractColPOVRay.h"
#include "core/colorings/FractColPolar.h"
#include "core/colorings/FractColPolarLog.h"
#include "core/colorings/FractColRedShift.h"

#include <array>

namespace korvanta {

std::span<const CRuntimeClass* const> ColoringClasses()
{
    static constexpr std::array<const CRuntimeClass*, 7> classes{
        &CFractCol2304::kClass,     &CFractColRedShift::kClass,  &CFractColHSV::kClass,
        &CFractColPolar::kClass,    &CFractColPolarLog::kClass,  &CFractColBlueLagoon::kClass,
        &CFractColPOVRay::kClass,
    };
    return classes;
}

std::unique_ptr<CFractCol> CreateColoring(std::int32_t index)
{
    return CreateListed<CFractCol>(ColoringClasses(), index);
}

}  // namespace korvanta
