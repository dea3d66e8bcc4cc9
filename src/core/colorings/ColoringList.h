#pragma once

#include "core/colorings/FractCol.h"
#include "core/archive/Object.h"

#include <cstdint>
#include <memory>
#include <span>

namespace korvanta {

// The coloring classes in list order: the index is what settings, documents and scenes store.
std::span<const CRuntimeClass* const> ColoringClasses();

// A fresh coloring of the class at `index`, or null when there is none.
std::unique_ptr<CFractCol> CreateColoring(std::int32_t index);

}  // namespace korvanta
