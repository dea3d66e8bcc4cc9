#pragma once

#include "core/archive/Object.h"

#include <span>
#include <string_view>

namespace korvanta {

// Every class a document may name: the formula and coloring families with their bases.
std::span<const CRuntimeClass* const> RegisteredClasses();

const CRuntimeClass* FindRegisteredClass(std::string_view name);

}  // namespace korvanta
