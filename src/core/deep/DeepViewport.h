#pragma once

#include "core/deep/BigFloat.h"
#include "core/deep/DeepLocation.h"
#include "core/formulas/Viewport.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace korvanta {

// A point of the plane as decimal texts.
struct PointTexts {
    std::string re, im;
};

// What Viewport does for the user's pointing, in MPFR from a picture's exact location, for
// pictures deeper than doubles resolve: the new texts carry the digits that tell the pixels
// of a picture of the same size apart, ten more, and no others.
class DeepViewport {
public:
    // A deep picture's area texts shown in a client area of `clientWidth` x `clientHeight`;
    // nothing when a text is not a decimal number of at most a million characters.
    static std::optional<DeepViewport> FromTexts(const DeepArea& area, double clientWidth, double clientHeight,
                                                 std::int32_t pictureWidth, std::int32_t pictureHeight);
    // A picture in doubles, taken at the exact values of its doubles.
    static DeepViewport FromDoubles(const Area& area, double clientWidth, double clientHeight,
                                    std::int32_t pictureWidth, std::int32_t pictureHeight);

    // The point at a client position, as Viewport::PointAt defines it, exactly.
    PointTexts PointAt(double x, double y) const;
    // The area of a dragged rectangle given by its edges, as Viewport::ZoomArea defines it.
    DeepArea ZoomArea(int left, int top, int right, int bottom) const;

private:
    DeepViewport(std::array<BigFloat, 4> edges, mpfr_prec_t bits, double clientWidth, double clientHeight,
                 std::int32_t pictureWidth, std::int32_t pictureHeight);

    // The coordinate a fraction `num / den` of the way from edge `from` to edge `to`.
    BigFloat Between(int from, int to, double num, double den) const;
    // Digits for texts near the given points, whose picture spans `spanX` by `spanY`.
    int Digits(const BigFloat& spanX, const BigFloat& spanY, std::initializer_list<const BigFloat*> points) const;

    std::array<BigFloat, 4> m_edges;  // xStart, xEnd, yStart, yEnd
    mpfr_prec_t m_bits;
    double m_clientWidth, m_clientHeight;
    std::int32_t m_pictureWidth, m_pictureHeight;
};

}  // namespace korvanta
