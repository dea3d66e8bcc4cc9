#include "core/deep/DeepEngine.h"

#include "support/DeepScenes.h"
#include "support/DirectIteration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace korvanta {
namespace {

using namespace korvanta::testing;

// Every pixel of a scene by a direct iteration in MPFR, 64 bits beyond the engine's, spread
// over the cores.
std::vector<std::int32_t> EveryDirectCount(const Scene& s, const DeepArea& area, mpfr_prec_t engineBits)
{
    const mpfr_prec_t bits = engineBits + 64;
    const BigFloat cr = *BigFloat::FromDecimal(s.cRe, bits), ci = *BigFloat::FromDecimal(s.cIm, bits);
    std::vector<std::int32_t> counts(static_cast<std::size_t>(s.columns * s.rows));
    std::atomic<std::int32_t> next{0};
    auto work = [&] {
        for (std::int32_t i; (i = next++) < s.columns * s.rows;) {
            BigFloat re(bits), im(bits);
            PixelPoint(area, s.columns, s.rows, i % s.columns, i / s.columns, re, im);
            counts[static_cast<std::size_t>(i)] = DirectCount(s.kind, re, im, cr, ci, s.limit);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
        pool.emplace_back(work);
    work();
    for (auto& t : pool)
        t.join();
    return counts;
}

// For each way of computing the scene, the share of its pixels whose counts equal the direct
// iteration's.
std::vector<double> SharesEqualToDirectCounts(const Scene& s, const std::vector<DeepEngine::Options>& ways)
{
    const DeepArea area = AreaOf(s);
    const auto made = DeepLocation::Make(area, s.columns, s.rows, s.limit);
    const auto& location = std::get<DeepLocation>(made);
    const auto truth = EveryDirectCount(s, area, location.Precision());
    const BigFloat cr = *BigFloat::FromDecimal(s.cRe, location.Precision());
    const BigFloat ci = *BigFloat::FromDecimal(s.cIm, location.Precision());
    std::vector<double> shares;
    for (const DeepEngine::Options& options : ways) {
        const auto engine = DeepEngine::Build(s.kind, location, cr, ci, s.limit, options);
        int same = 0;
        for (std::int32_t i = 0; i < s.columns * s.rows; ++i)
            same += engine->Pixel(i % s.columns, i / s.columns).count == truth[static_cast<std::size_t>(i)];
        shares.push_back(same / static_cast<double>(s.columns * s.rows));
    }
    return shares;
}

// The judge is the direct iteration: where a picture is chaotic no two methods agree pixel
// for pixel, and plain perturbation (with rebasing) is as true as doubles allow. Skips must
// be as true as it, on pictures of every formula from 1e-20 to 1e-1000 and on chaotic ones
// near minibrots at limits in the tens of thousands. Bilinear skips that drop terms down to
// 2^-32 of the linear ones are not, which proves that the comparison sees the difference.
TEST(DeepExactness, SkipsAreAsTrueAsPlainPerturbationAndLooseBilinearOnesAreNot)
{
    DeepEngine::Options skips, plain, loose;
    plain.skips = false;
    loose.quadratic = false;
    loose.epsilon = 0x1p-32;
    const BigFloat sqrt2 = Sqrt2(), beta = QuadraticFixedPoint(), cubic = CubicFixedPoint("0.3");
    const Scene scenes[] = {
        {"Mandelbrot beside -i", DeepKind::Mandelbrot, Big("1.3e-20"), Big("-1"), "2e-20", 12, 8, 3200},
        {"Mandelbrot^3 at its tip", DeepKind::Mandelbrot3, sqrt2, Big("1e-51"), "2e-50", 12, 8, 3500},
        {"Julia C = 1/2", DeepKind::Julia, beta, Big("1e-101"), "2e-100", 12, 8, 4000, "0.5", "0"},
        {"Julia dendrite", DeepKind::Julia, Big("3e-321"), Big("1"), "2e-320", 12, 8, 6000, "0", "-1"},
        {"Julia^3", DeepKind::Julia3, cubic, Big("1e-1001"), "2e-1000", 8, 6, 12000, "0.3", "0"},
        {"Lambda", DeepKind::Lambda, Big("3e-321"), Big("1e-321"), "2e-320", 12, 8, 6000, "2.5", "0.1"},
        {"Mandelbrot 1e-1000", DeepKind::Mandelbrot, Big("1.3e-1000"), Big("-1"), "2e-1000", 8, 6, 12000},
        {"Julia near a minibrot's C", DeepKind::Julia, Big("1e-31"), Big("1e-31"), "1e-30", 16, 12, 20000,
         kCentre1e50Re, kCentre1e50Im},
        // Chaotic, near minibrots.
        {"1e50 centre, 6e-28 wide", DeepKind::Mandelbrot, Big(kCentre1e50Re), Big(kCentre1e50Im), "6e-28", 32, 24,
         20000},
        {"1e50 published", DeepKind::Mandelbrot, Big(kCentre1e50Re), Big(kCentre1e50Im), "7.1e-50", 16, 9, 263010},
        {"1e50 centre, 1e-38 wide", DeepKind::Mandelbrot, Big(kCentre1e50Re), Big(kCentre1e50Im), "1e-38", 16, 12,
         40000},
        {"5e113 published", DeepKind::Mandelbrot, Big(kCentre5e113Re), Big(kCentre5e113Im), "1.4e-113", 16, 9,
         35494},
        {"5e227 centre, 1e-60 wide", DeepKind::Mandelbrot, Big(kCentre5e227Re), Big(kCentre5e227Im), "1e-60", 16, 9,
         30000},
    };
    int looseFalls = 0;
    for (const Scene& s : scenes) {
        const auto shares = SharesEqualToDirectCounts(s, {skips, plain, loose});
        std::printf("%-28s %-9s limit %6d: counts equal to a direct iteration on %5.1f%% with skips, %5.1f%% plain, "
                    "%5.1f%% with bilinear skips at 2^-32\n",
                    s.name, s.width.c_str(), s.limit, 100 * shares[0], 100 * shares[1], 100 * shares[2]);
        if (shares[1] == 1.0)
            EXPECT_EQ(shares[0], 1.0) << s.name;
        else
            EXPECT_GE(shares[0], shares[1] - 0.003) << s.name;
        looseFalls += shares[1] == 1.0 ? shares[2] < 1.0 : shares[2] < shares[1] - 0.003;
    }
    EXPECT_GE(looseFalls, 2);
}

}  // namespace
}  // namespace korvanta
