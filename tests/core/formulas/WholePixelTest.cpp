#include "core/formulas/FormulaList.h"

#include <gtest/gtest.h>

#include <bit>

namespace korvanta {
namespace {

struct WholePicture {
    int formula;  // 5 Newton z^3, 6 Sinz, 7 Newton -z^3+9z^2-18z
    double x0, x1, y0, y1;
    std::int32_t width, height, limit;
    double a, b;
};

// The whole pixel with the cycle watch, against the formula stepped 5000 iterations at a
// time: the same count, the same final iterate, and the same object afterwards.
TEST(WholePixel, TheCycleWatchChangesNoBit)
{
    const WholePicture pictures[] = {
        {6, -3.141, 3.141, -3, 3, 23, 19, 100, 1, -0.6},
        {6, -0.5, 0.5, -0.5, 0.5, 7, 5, 654321, 1, -0.6},  // orbits that settle into cycles
        {6, -0.3, 0.3, -0.3, 0.3, 5, 4, 70001, 0.5, 0.2},
        {5, -10, 10, -10, 10, 21, 17, 23040, 1, 0.6},
        {5, -1e-3, 1e-3, -1e-3, 1e-3, 5, 5, 9999, 1, 0},  // near z = 0: NaN runs to the limit
        {7, -10, 10, -10, 10, 21, 17, 230400, 6, 0},
        {7, 1.9, 2.1, -0.1, 0.1, 7, 5, 100003, 6, 0.5},
        {5, -2, 2, -2, 2, 9, 7, 0, 1, 0.6},
        {6, -2, 2, -2, 2, 9, 7, 1, 1, -0.6},
    };
    int cycles = 0;
    for (const WholePicture& p : pictures) {
        auto stepped = CreateFormula(p.formula);
        auto whole = CreateFormula(p.formula);
        for (auto* alg : {stepped.get(), whole.get()}) {
            alg->SetArea(p.x0, p.x1, p.y0, p.y1);
            alg->SetWidth(p.width);
            alg->SetHeight(p.height);
            alg->SetMaxIter(p.limit);
            alg->SetConstant(CFractValue(p.a, p.b));
        }
        for (std::int32_t y = 0; y < p.height; ++y) {
            for (std::int32_t x = 0; x < p.width; ++x) {
                stepped->SetPoint(x, y);
                while (!stepped->Iterate()) {
                }
                whole->SetPoint(x, y);
                whole->IteratePixel(true);
                const CFractValue &want = *stepped->GetResult(), &got = *whole->GetResult();
                ASSERT_EQ(got.GetCount(), want.GetCount()) << p.formula << " " << x << "," << y;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(got.m_z.real()), std::bit_cast<std::uint64_t>(want.m_z.real()))
                    << p.formula << " " << x << "," << y;
                ASSERT_EQ(std::bit_cast<std::uint64_t>(got.m_z.imag()), std::bit_cast<std::uint64_t>(want.m_z.imag()))
                    << p.formula << " " << x << "," << y;
                cycles += want.GetCount() == 0 && p.limit > 50000;
            }
        }
    }
    EXPECT_GE(cycles, 20) << "too few pixels ran to a large limit to try the watch";
}

}  // namespace
}  // namespace korvanta
