#pragma once

#include "core/archive/Object.h"
#include "core/formulas/FractAlg.h"

#include <cstdint>
#include <memory>
#include <span>

namespace korvanta {

// The formula classes in list order: the index is what settings, documents and scenes store.
std::span<const CRuntimeClass* const> FormulaClasses();

// A fresh formula of the class at `index`, or null when there is none.
std::unique_ptr<CFractAlg> CreateFormula(std::int32_t index);

}  // namespace korvanta
