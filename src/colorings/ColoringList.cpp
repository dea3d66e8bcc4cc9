#include "colorings/ColoringList.h"

#include "colorings/FractCol2304.h"
#include "colorings/FractColBlueLagoon.h"
#include "colorings/FractColHSV.h"
#include "colorings/FractColPOVRay.h"
#include "colorings/FractColPolar.h"
#include "colorings/FractColPolarLog.h"
#include "colorings/FractColRedShift.h"

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
