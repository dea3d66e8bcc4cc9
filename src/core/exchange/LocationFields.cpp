#include "core/exchange/LocationFields.h"

#include "core/colorings/ColoringList.h"
#include "core/deep/BigFloat.h"
#include "core/deep/DeepLocation.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <tuple>

namespace korvanta {

namespace {

constexpr std::int32_t kMandelbrot = 0, kCubicMandelbrot = 1;

constexpr const char* kSizeNeeded =
    "The picture's width and height must be from 1 to 32000 pixels for a location to be placed in it";

bool SizeOfFields(const RenderFields& fields, std::int32_t& width, std::int32_t& height)
{
    width = AtoI(fields.width);
    height = AtoI(fields.height);
    return !CheckPictureSize(fields);
}

// The number with the other sign, as a decimal text again.
std::string Negated(const std::string& text)
{
    if (text.starts_with('-'))
        return text.substr(1);
    if (text.starts_with('+'))
        return "-" + text.substr(1);
    return "-" + text;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::variant<RenderFields, std::string> FieldsFromLocation(const Location& location, RenderFields current)
{
    if (auto problem = CheckLocation(location))
        return *std::move(problem);
    std::int32_t width = 0, height = 0;
    if (!SizeOfFields(current, width, height))
        return kSizeNeeded;
    // 25 digits keep the height exact to far below a pixel of the tallest picture.
    constexpr mpfr_prec_t kBits = 128;
    const auto zoom = BigFloat::FromDecimal(location.zoom, kBits);
    BigFloat radius(kBits);
    mpfr_ui_div(radius.get(), 2, zoom->get(), MPFR_RNDN);
    const auto area = AreaAroundCentre(Negated(location.re), Negated(location.im), radius.ToDecimal(25), width, height);
    if (!area)
        return "The location is deeper than Korvanta goes";
    current.xStart = area->xStart;
    current.xEnd = area->xEnd;
    current.yStart = area->yStart;
    current.yEnd = area->yEnd;
    current.formula = location.power == 3 ? kCubicMandelbrot : kMandelbrot;
    if (location.iterations) {
        current.colors = std::to_string(*location.iterations);
        const auto takesNumber = [](std::int32_t index) {
            const auto coloring = CreateColoring(index);
            return coloring && coloring->CanSetNumColors();
        };
        if (!takesNumber(current.coloring)) {
            const auto count = static_cast<std::int32_t>(ColoringClasses().size());
            for (std::int32_t index = 0; index < count; ++index)
                if (takesNumber(index)) {
                    current.coloring = index;
                    break;
                }
        }
    }
    current.aspectRatio = 0;
    return current;
}

std::variant<Location, std::string> LocationOfFields(const RenderFields& fields)
{
    if (fields.formula != kMandelbrot && fields.formula != kCubicMandelbrot)
        return "Only the two Mandelbrot formulas have locations that other programs read";
    std::int32_t width = 0, height = 0;
    if (!SizeOfFields(fields, width, height))
        return kSizeNeeded;
    const std::array<std::string, 4> texts{Trimmed(fields.xStart), Trimmed(fields.xEnd), Trimmed(fields.yStart),
                                           Trimmed(fields.yEnd)};
    const auto made = DeepLocation::Make({texts[0], texts[1], texts[2], texts[3]}, width, height, 1);
    if (const auto* problem = std::get_if<DeepLocation::Problem>(&made)) {
        switch (*problem) {
        case DeepLocation::Problem::XStart: return messages::kIllegalXStart;
        case DeepLocation::Problem::XEnd: return messages::kIllegalXEnd;
        case DeepLocation::Problem::YStart: return messages::kIllegalYStart;
        case DeepLocation::Problem::YEnd: return messages::kIllegalYEnd;
        case DeepLocation::Problem::XEqual: return messages::kXTooClose;
        case DeepLocation::Problem::YEqual: return messages::kYTooClose;
        case DeepLocation::Problem::TooLong: return "A coordinate may have at most 1000000 characters";
        case DeepLocation::Problem::TooDeep: break;
        }
        return "The area is deeper than Korvanta goes";
    }
    const auto read = ReadDeepArea({texts[0], texts[1], texts[2], texts[3]});
    const auto& [v, readBits] = std::get<ExactArea>(read);
    if (mpfr_cmp(v[1].get(), v[0].get()) < 0 || mpfr_cmp(v[3].get(), v[2].get()) < 0)
        return "Other programs show an area only the right way round: X Start and Y Start must lie below their "
               "ends";
    std::int64_t scale = 0;
    for (const auto& x : v)
        scale = std::max(scale, LeadingBit(x));
    BigFloat spanX(readBits), spanY(readBits);
    mpfr_sub(spanX.get(), v[1].get(), v[0].get(), MPFR_RNDN);
    mpfr_sub(spanY.get(), v[3].get(), v[2].get(), MPFR_RNDN);
    const std::int64_t step =
        std::min(LeadingBit(spanX) - std::bit_width(static_cast<std::uint32_t>(width)),
                 LeadingBit(spanY) - std::bit_width(static_cast<std::uint32_t>(height)));
    // Rounding at these bits moves the centre by far less than a pixel.
    const auto bits = static_cast<mpfr_prec_t>(readBits + std::max<std::int64_t>(0, scale - step) + 64);
    const int digits = DigitsToTellApart(scale, step);
    Location out;
    out.power = fields.formula == kCubicMandelbrot ? 3 : 2;
    BigFloat centre(bits);
    for (auto [from, to, text] : {std::tuple{0, 1, &out.re}, std::tuple{2, 3, &out.im}}) {
        mpfr_add(centre.get(), v[from].get(), v[to].get(), MPFR_RNDN);
        mpfr_div_2ui(centre.get(), centre.get(), 1, MPFR_RNDN);
        mpfr_neg(centre.get(), centre.get(), MPFR_RNDN);
        // Plainly, as the deep-zoom programs write their centres.
        *text = PlainDecimal(centre.ToDecimal(digits));
    }
    BigFloat zoom(bits);
    mpfr_ui_div(zoom.get(), 4, spanY.get(), MPFR_RNDN);
    out.zoom = zoom.ToDecimal(17);
    if (const std::int32_t colors = AtoI(Limited(fields.colors)); colors > 0)
        out.iterations = colors;
    if (auto problem = CheckLocation(out))
        return "The area has no location other programs read: " + *std::move(problem);
    return out;
}

}  // namespace korvanta
