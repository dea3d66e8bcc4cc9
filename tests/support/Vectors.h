#pragma once

#include <filesystem>
#include <string>

namespace korvanta::test {

// The folder of reference data shared by the team, read in place.
inline std::filesystem::path VectorsDir()
{
    return KORVANTA_VECTORS_DIR;
}

}  // namespace korvanta::test
