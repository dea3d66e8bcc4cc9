#include "core/exchange/LocationFileIo.h"

#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"

#include <fstream>
#include <iterator>

namespace korvanta {

std::variant<Location, std::string> ReadLocationFile(const std::string& path)
{
    std::ifstream in;
    std::error_code reason;
    if (!OpenInputFile(in, path, &reason))
        return "Unable to open file \"" + path + "\": " +
               (reason == std::errc::invalid_argument ? std::string("not a plain file") : reason.message());
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0);
    if (size < 0 || !in)
        return "Failure reading file \"" + path + "\"";
    if (static_cast<std::uint64_t>(size) > kLargestLocationFile)
        return "\"" + path + "\" is larger than any location file";
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), size);
    if (in.gcount() != size)
        return "Failure reading file \"" + path + "\"";
    return ReadLocation(text);
}

std::string WriteLocationFile(const std::string& path, const Location& location)
{
    if (LocationFormOfName(path) == LocationForm::Toml && location.power != 2)
        return "A TOML location has no power: write the cubic Mandelbrot set's location to a .kfr file";
    AtomicFile file(path);
    bool written = file.IsOpen();
    if (written) {
        std::ofstream out(file.TempPath(), std::ios::binary);
        out << WriteLocation(location, LocationFormOfName(path));
        out.close();
        written = out.good() && file.Commit();
    }
    if (written)
        return {};
    return "Error trying to write \"" + path + "\"" + (file.Error() ? ": " + file.Error().message() : std::string());
}

}  // namespace korvanta
