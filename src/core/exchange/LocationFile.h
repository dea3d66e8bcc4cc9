#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace korvanta {

// A place in the Mandelbrot set as other deep-zoom programs write it: the centre in the usual
// set (z <- z^2 + c), the zoom that makes the view's half height 2 / zoom, the iteration
// limit, and the power of the formula (2 or 3). The numbers stay the decimal texts they were.
struct Location {
    std::string re, im, zoom;
    std::optional<std::int64_t> iterations;
    int power = 2;
};

// Key-value lines ("Re: -0.75") as Kalles Fraktaler writes them, or the [location] table of
// the TOML that Fraktaler-3 writes.
enum class LocationForm { KeyValue, Toml };

// Location files are a few kilobytes even a million digits deep; more is not one.
inline constexpr std::size_t kLargestLocationFile = std::size_t{4} << 20;
// A zoom below this shows a view wider than 2e10: nothing there but the outside.
inline constexpr const char* kShallowestZoom = "1e-10";
// Centres farther out than this lie far outside every set there is to look at.
inline constexpr const char* kFarthestCentre = "1e10";

// The location in either form, told apart by its first line, or the message saying what is
// wrong with it ("The location has no Re: line", "Zoom must be a number above 0", ...).
std::variant<Location, std::string> ReadLocation(std::string_view text);

// What is wrong with a location's values, named as the key-value form names them: centre texts
// that are no decimal numbers or lie too far out, a zoom out of the reach of the deep engine
// or below kShallowestZoom, iterations outside 1 to 2147483647, a power other than 2 or 3.
std::optional<std::string> CheckLocation(const Location& location);

// The location with exactly its keys, '\n' line ends. The TOML form has no power: a cubic
// location is written only in the key-value form ("Power: 3").
std::string WriteLocation(const Location& location, LocationForm form);

// The form a file name asks for: TOML for ".toml" in any case, else key-value.
LocationForm LocationFormOfName(const std::string& path);

}  // namespace korvanta
