#include "core/deep/DeepViewport.h"

#include <algorithm>

namespace korvanta {

namespace {

// Bits beyond the inputs' own for the steps between the edges and the pointed-at pixel:
// the picture's depth, the client and picture sizes, and a margin that no rounding reaches.
constexpr mpfr_prec_t kSpareBits = 128;

mpfr_prec_t WorkingBits(const std::array<BigFloat, 4>& edges, mpfr_prec_t inputBits)
{
    std::int64_t scale = 0;
    for (const BigFloat& edge : edges)
        scale = std::max(scale, LeadingBit(edge));
    BigFloat span(inputBits + 2);
    std::int64_t narrowest = scale;
    for (int i = 0; i < 4; i += 2) {
        mpfr_sub(span.get(), edges[i + 1].get(), edges[i].get(), MPFR_RNDN);
        narrowest = std::min(narrowest, LeadingBit(span));
    }
    return inputBits + static_cast<mpfr_prec_t>(scale - narrowest) + kSpareBits;
}

}  // namespace

DeepViewport::DeepViewport(std::array<BigFloat, 4> edges, mpfr_prec_t bits, double clientWidth, double clientHeight,
                           std::int32_t pictureWidth, std::int32_t pictureHeight)
    : m_edges(std::move(edges)),
      m_bits(bits),
      m_clientWidth(clientWidth),
      m_clientHeight(clientHeight),
      m_pictureWidth(std::max(pictureWidth, 1)),
      m_pictureHeight(std::max(pictureHeight, 1))
{
}

std::optional<DeepViewport> DeepViewport::FromTexts(const DeepArea& area, double clientWidth, double clientHeight,
                                                    std::int32_t pictureWidth, std::int32_t pictureHeight)
{
    auto read = ReadDeepArea(area);
    auto* exact = std::get_if<ExactArea>(&read);
    if (!exact)
        return std::nullopt;
    const mpfr_prec_t bits = WorkingBits(exact->edges, exact->bits);
    return DeepViewport(std::move(exact->edges), bits, clientWidth, clientHeight, pictureWidth, pictureHeight);
}

DeepViewport DeepViewport::FromDoubles(const Area& area, double clientWidth, double clientHeight,
                                       std::int32_t pictureWidth, std::int32_t pictureHeight)
{
    // A double converts exactly at its own 53 bits.
    std::array<BigFloat, 4> edges{BigFloat(53, area.xStart), BigFloat(53, area.xEnd), BigFloat(53, area.yStart),
                                  BigFloat(53, area.yEnd)};
    const mpfr_prec_t bits = WorkingBits(edges, 53);
    return DeepViewport(std::move(edges), bits, clientWidth, clientHeight, pictureWidth, pictureHeight);
}

BigFloat DeepViewport::Between(int from, int to, double num, double den) const
{
    BigFloat v(m_bits);
    mpfr_sub(v.get(), m_edges[to].get(), m_edges[from].get(), MPFR_RNDN);
    mpfr_mul_d(v.get(), v.get(), num, MPFR_RNDN);
    mpfr_div_d(v.get(), v.get(), den, MPFR_RNDN);
    mpfr_add(v.get(), v.get(), m_edges[from].get(), MPFR_RNDN);
    return v;
}

int DeepViewport::Digits(const BigFloat& spanX, const BigFloat& spanY,
                         std::initializer_list<const BigFloat*> points) const
{
    std::int64_t scale = 0;
    for (const BigFloat* point : points)
        scale = std::max(scale, LeadingBit(*point));
    BigFloat stepX(m_bits), stepY(m_bits);
    mpfr_div_ui(stepX.get(), spanX.get(), static_cast<unsigned long>(m_pictureWidth), MPFR_RNDN);
    mpfr_div_ui(stepY.get(), spanY.get(), static_cast<unsigned long>(m_pictureHeight), MPFR_RNDN);
    return DigitsToTellApart(scale, std::min(LeadingBit(stepX), LeadingBit(stepY)));
}

PointTexts DeepViewport::PointAt(double x, double y) const
{
    const BigFloat re = Between(0, 1, x, m_clientWidth), im = Between(2, 3, m_clientHeight - y, m_clientHeight);
    BigFloat spanX(m_bits), spanY(m_bits);
    mpfr_sub(spanX.get(), m_edges[1].get(), m_edges[0].get(), MPFR_RNDN);
    mpfr_sub(spanY.get(), m_edges[3].get(), m_edges[2].get(), MPFR_RNDN);
    const int digits = Digits(spanX, spanY, {&re, &im});
    return {re.ToDecimal(digits), im.ToDecimal(digits)};
}

DeepArea DeepViewport::ZoomArea(int left, int top, int right, int bottom) const
{
    const BigFloat x0 = Between(0, 1, left, m_clientWidth), x1 = Between(0, 1, right, m_clientWidth);
    const BigFloat y0 = Between(2, 3, m_clientHeight - bottom, m_clientHeight);
    const BigFloat y1 = Between(2, 3, m_clientHeight - top, m_clientHeight);
    BigFloat spanX(m_bits), spanY(m_bits);
    mpfr_sub(spanX.get(), x1.get(), x0.get(), MPFR_RNDN);
    mpfr_sub(spanY.get(), y1.get(), y0.get(), MPFR_RNDN);
    // A drag of no width has no depth of its own: the digits of the picture it lies in.
    if (mpfr_zero_p(spanX.get()) || mpfr_zero_p(spanY.get())) {
        mpfr_sub(spanX.get(), m_edges[1].get(), m_edges[0].get(), MPFR_RNDN);
        mpfr_sub(spanY.get(), m_edges[3].get(), m_edges[2].get(), MPFR_RNDN);
    }
    const int digits = Digits(spanX, spanY, {&x0, &x1, &y0, &y1});
    return {x0.ToDecimal(digits), x1.ToDecimal(digits), y0.ToDecimal(digits), y1.ToDecimal(digits)};
}

}  // namespace korvanta
