#pragma once

#include <filesystem>
#include <fstream>
#include <system_error>

namespace korvanta {

// Opens a file named by the user for reading. False for a name that is missing or
// unreadable, and for anything but a plain file (followed through links): a folder cannot
// be read, and a pipe or a device could block or never end.
// `reason` receives the system's reason why not.
bool OpenInputFile(std::ifstream& in, const std::filesystem::path& path,
                   std::error_code* reason = nullptr);

}  // namespace korvanta
