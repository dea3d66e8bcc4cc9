// A location file from another deep-zoom program: read or refused with a message, and what
// reads is placed in the fields and taken out again to a location that reads back the same.
#include "tools/fuzz/FuzzActions.h"

#include "core/exchange/LocationFields.h"
#include "core/exchange/LocationFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korvanta;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = ReadLocation(bytes);
    if (const auto* problem = std::get_if<std::string>(&read)) {
        if (problem->empty())
            fuzz::Contradiction("a location refused without a message");
        return 0;
    }
    const Location& location = std::get<Location>(read);
    if (CheckLocation(location))
        fuzz::Contradiction("a location read that its own check refuses");
    for (const LocationForm form : {LocationForm::KeyValue, LocationForm::Toml}) {
        if (form == LocationForm::Toml && location.power != 2)
            continue;
        const auto again = ReadLocation(WriteLocation(location, form));
        const auto* same = std::get_if<Location>(&again);
        if (!same || same->re != location.re || same->im != location.im || same->zoom != location.zoom ||
            same->iterations != location.iterations || same->power != location.power)
            fuzz::Contradiction("a written location reads back otherwise");
    }
    const auto placed = FieldsFromLocation(location, RenderFields{});
    const auto* fields = std::get_if<RenderFields>(&placed);
    if (!fields)
        fuzz::Contradiction("a location that reads has no place in the fields");
    const auto taken = LocationOfFields(*fields);
    if (const auto* back = std::get_if<Location>(&taken)) {
        if (back->power != location.power || back->iterations != location.iterations)
            fuzz::Contradiction("the fields' location lost its power or iterations");
    }
    return 0;
}
