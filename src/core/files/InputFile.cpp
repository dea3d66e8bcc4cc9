#include "core/files/InputFile.h"

namespace korvanta {

bool OpenInputFile(std::ifstream& in, const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    in.open(path, std::ios::binary);
    return in.is_open();
}

}  // namespace korvanta
