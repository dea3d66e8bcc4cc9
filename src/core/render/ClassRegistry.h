#pragma once

#include "core/archive/Object.h"
#include "core/colorings/FractCol.h"
#include "core/formulas/FractAlg.h"

#include <memory>

#include <span>
#include <string_view>

namespace korvanta {

// Every class a document may name: the formula and coloring families with their bases.
std::span<const CRuntimeClass* const> RegisteredClasses();

const CRuntimeClass* FindRegisteredClass(std::string_view name);

// An exact copy of a formula, state included, through its stored form. Raises ArchiveError
// for a class documents do not know.
std::unique_ptr<CFractAlg> CloneFormula(const CFractAlg& alg);
// The same for a coloring.
std::unique_ptr<CFractCol> CloneColoring(const CFractCol& col);

}  // namespace korvanta
