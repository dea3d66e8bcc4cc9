#pragma once

#include <filesystem>
#include <fstream>

namespace korvanta {

// Opens a file named by the user for reading. False for a name that is missing or
// unreadable, and for anything but a plain file (followed through links): a folder cannot
// be read, and a pipe or a device could block or never end.
bool OpenInputFile(std::ifstream& in, const std::filesystem::path& path);

}  // namespace korvanta
