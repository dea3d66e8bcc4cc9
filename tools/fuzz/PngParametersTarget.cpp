// A PNG from anywhere opened as a picture's parameters, and the same bytes pasted as text:
// read or refused with a message, and what reads is written back to the same fields.
#include "tools/fuzz/FuzzActions.h"

#include "core/files/PictureParameters.h"

namespace {

using namespace korvanta;

bool SameFields(const RenderFields& a, const RenderFields& b)
{
    return a.xStart == b.xStart && a.xEnd == b.xEnd && a.yStart == b.yStart && a.yEnd == b.yEnd &&
           a.width == b.width && a.height == b.height && a.colors == b.colors && a.cRe == b.cRe && a.cIm == b.cIm &&
           a.formula == b.formula && a.coloring == b.coloring && a.showValues == b.showValues;
}

void ExpectConsistent(const std::variant<RenderFields, std::string>& read)
{
    if (const auto* problem = std::get_if<std::string>(&read)) {
        if (problem->empty())
            fuzz::Contradiction("parameters refused without a message");
        return;
    }
    const RenderFields& fields = std::get<RenderFields>(read);
    const auto again = ReadParametersText(ParametersText(fields));
    if (!std::holds_alternative<RenderFields>(again) || !SameFields(std::get<RenderFields>(again), fields))
        fuzz::Contradiction("written parameters read back otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySource png({data, size});
    ExpectConsistent(ReadPngParameters(png));
    ExpectConsistent(ReadParametersText({reinterpret_cast<const char*>(data), size}));
    return 0;
}
