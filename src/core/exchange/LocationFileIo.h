#pragma once

#include "core/exchange/LocationFile.h"

#include <string>
#include <variant>

namespace korvanta {

// A location file from the disk, or the message saying why not: it cannot be opened, is no
// plain file, is larger than any location file, or is not a location.
std::variant<Location, std::string> ReadLocationFile(const std::string& path);

// Writes the location in the form the name asks for, under a temporary name renamed when
// complete; the message when it failed, else empty. A cubic location is refused in TOML,
// which cannot say so.
std::string WriteLocationFile(const std::string& path, const Location& location);

}  // namespace korvanta
