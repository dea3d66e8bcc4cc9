#pragma once

#include "core/deep/BigFloat.h"
#include "core/deep/FloatExp.h"

#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include <cstddef>
#include <optional>

namespace korvanta {

// A picture's area as the decimal texts the user gave, never rounded on the way.
struct DeepArea {
    std::string xStart, xEnd, yStart, yEnd;
};

// The deepest picture the engine takes: pixels at least 2^-65536 (about 1e-19728) apart.
inline constexpr std::int64_t kDeepestSpacingExponent = -65536;
inline constexpr std::size_t kLongestDeepText = 1000000;
// The longest orbit a deep picture may need, which bounds the reference's memory.
inline constexpr std::int32_t kDeepLimit = 1 << 24;

// The exact geometry of a deep picture. Pixel (column, row) lies at (xStart + column dx,
// yStart + row dy) with dx = (xEnd - xStart) / width, as in every picture; the reference
// sits on the pixel (width / 2, height / 2), so every pixel's offset from it is a whole
// number of steps, rounded once.
class DeepLocation {
public:
    enum class Problem { XStart, XEnd, YStart, YEnd, XEqual, YEqual, TooDeep, TooLong };

    // The location, or why there is none: a text that is not a decimal number (or is longer
    // than a million characters), start and end equal, deeper than the engine goes.
    static std::variant<DeepLocation, Problem> Make(const DeepArea& area, std::int32_t width,
                                                        std::int32_t height, std::int32_t limit);

    // The bits of the reference: those that tell neighbouring pixels apart at the picture's
    // coordinates, and 64 more, and as many as the limit has for what a long orbit loses.
    // A function of the location and the limit alone, the same on every machine.
    mpfr_prec_t Precision() const { return m_precision; }
    const BigFloat& CentreRe() const { return m_centreRe; }
    const BigFloat& CentreIm() const { return m_centreIm; }
    // Whether offsets need the extended range (pixels closer than about 1e-289).
    bool Extended() const { return m_extended; }
    FloatExp StepX() const { return m_dx; }
    FloatExp StepY() const { return m_dy; }
    std::int32_t CentreColumn() const { return m_centreColumn; }
    std::int32_t CentreRow() const { return m_centreRow; }
    std::int32_t Width() const { return m_width; }
    std::int32_t Height() const { return m_height; }

private:
    DeepLocation(mpfr_prec_t bits) : m_centreRe(bits), m_centreIm(bits) {}

    mpfr_prec_t m_precision = 64;
    BigFloat m_centreRe, m_centreIm;
    bool m_extended = false;
    FloatExp m_dx, m_dy;
    std::int32_t m_centreColumn = 0, m_centreRow = 0, m_width = 0, m_height = 0;
};

// An area's four texts read exactly: four bits a character hold every decimal digit, so
// close texts keep their difference.
struct ExactArea {
    std::array<BigFloat, 4> edges;  // x start, x end, y start, y end
    mpfr_prec_t bits;               // that they were read with
};
// The text at fault (XStart to YEnd) when one is not a decimal number, TooLong beyond a
// million characters.
std::variant<ExactArea, DeepLocation::Problem> ReadDeepArea(const DeepArea& area);

// The area of a picture of `width` x `height` pixels centred on (re, im) whose half height is
// `radius`, in decimals that keep every digit the picture's pixels need. Nothing when a text
// is not a decimal number or the radius is not above 0.
std::optional<DeepArea> AreaAroundCentre(const std::string& re, const std::string& im, const std::string& radius,
                                         std::int32_t width, std::int32_t height);

// The exponent of the leading bit of `x`, as ilogb gives it; very low for 0.
std::int64_t LeadingBit(const BigFloat& x);

// Significant digits for decimal texts of coordinates up to 2^`scale` (at least 1) that tell
// apart pixels 2^`step` apart: those, ten more, and never fewer than a double's 17.
int DigitsToTellApart(std::int64_t scale, std::int64_t step);

// Whether `text` is a decimal number too close to 0 for a double (below about 1e-308): a
// coordinate only the deep engine can take.
bool BelowDoubles(const std::string& text);

// Whether doubles still tell this picture's pixels apart well: false when the pixel step is
// below 2^-46 of the largest coordinate (at least 1), where the deep engine takes over
// formulas it computes.
bool DoublesResolve(double xStart, double xEnd, double yStart, double yEnd, std::int32_t width,
                    std::int32_t height);
// Whether neighbouring pixels are at least one unit of a double's last place apart: below it
// a picture in doubles falls apart into blocks, and formulas the deep engine does not compute
// are refused.
bool DoublesSeparate(double xStart, double xEnd, double yStart, double yEnd, std::int32_t width,
                     std::int32_t height);

}  // namespace korvanta
