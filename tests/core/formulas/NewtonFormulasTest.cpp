#include "core/formulas/FractAlgNewRap1.h"
#include "core/formulas/FractAlgRap2.h"
#include "support/RunPoint.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvanta {
namespace {

using test::AimAt;
using test::Finish;

TEST(NewRap1, ConvergesToTheCubeRootOfMinusC)
{
    CFractAlgNewRap1 newton;
    AimAt(newton, 2, 0, 1000, {-1, 0});
    newton.SetMaxIter(1);
    Finish(newton);
    EXPECT_NEAR(newton.GetResult()->m_z.real(), 4.0 / 3 + 1.0 / 12, 1e-15);

    newton.SetMaxIter(1000);
    Finish(newton);
    EXPECT_EQ(newton.GetResult()->GetCount(), 7);
    EXPECT_NEAR(newton.GetResult()->m_z.real(), 1.0, 1e-9);
    EXPECT_EQ(newton.GetResult()->m_z.imag(), 0.0);
}

TEST(NewRap1, ZeroConstantShrinksByTwoThirdsUntilTheStepIsBelowEpsilon)
{
    CFractAlgNewRap1 newton;
    AimAt(newton, 1, 0, 1000, {0, 0});
    Finish(newton);
    EXPECT_EQ(newton.GetResult()->GetCount(), 50);
}

TEST(NewRap1, OriginBecomesNotANumberAndRunsToTheLimit)
{
    CFractAlgNewRap1 newton;
    AimAt(newton, 0, 0, 20, {-1, 0});
    EXPECT_EQ(Finish(newton), 20);  // a yield after each undecided step up to the limit
    EXPECT_EQ(newton.GetResult()->GetCount(), 0);
    EXPECT_TRUE(std::isnan(newton.GetResult()->m_z.real()));
}

TEST(Rap2, RootIsReachedInOneStepOfSizeZero)
{
    CFractAlgRap2 rap;
    AimAt(rap, 6, 0, 1000, {0, 0});
    Finish(rap);
    EXPECT_EQ(rap.GetResult()->GetCount(), 1);
    EXPECT_EQ(rap.GetResult()->m_z, std::complex<double>(6, 0));
}

TEST(Rap2, ConvergesToOneOfTheThreeRoots)
{
    CFractAlgRap2 rap;
    AimAt(rap, 2.5, 0.5, 1000, {0, 0});
    Finish(rap);
    const std::complex<double> z = rap.GetResult()->m_z;
    EXPECT_GT(rap.GetResult()->GetCount(), 1);
    const double nearest = std::min({std::abs(z), std::abs(z - 3.0), std::abs(z - 6.0)});
    EXPECT_LT(nearest, 1e-8);
}

}  // namespace
}  // namespace korvanta
