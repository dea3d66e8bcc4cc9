#include "core/files/InputFile.h"

#include <cerrno>

namespace korvanta {

bool OpenInputFile(std::ifstream& in, const std::filesystem::path& path, std::error_code* reason)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!error && std::filesystem::is_directory(status))
        error = std::make_error_code(std::errc::is_a_directory);
    else if (!error && !std::filesystem::is_regular_file(status))
        error = std::make_error_code(std::errc::invalid_argument);
    if (!error) {
        errno = 0;
        in.open(path, std::ios::binary);
        if (!in.is_open())
            error = {errno ? errno : EIO, std::generic_category()};
    }
    if (reason)
        *reason = error;
    return !error;
}

}  // namespace korvanta
