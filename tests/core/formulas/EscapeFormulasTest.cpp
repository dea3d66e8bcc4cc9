#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgJulia3.h"
#include "core/formulas/FractAlgLambda.h"
#include "core/formulas/FractAlgMandelbrot3.h"
#include "core/formulas/FractAlgSinz.h"
#include "support/RunPoint.h"

#include <gtest/gtest.h>

namespace korvanta {
namespace {

using test::AimAt;
using test::Finish;

std::int32_t Count(const CFractAlg& alg)
{
    return alg.GetResult()->GetCount();
}

TEST(Julia, StepsSubtractTheConstant)
{
    CFractAlgJulia julia;
    AimAt(julia, 0, 0, 1000, {1, 0});  // 0 -> -1 -> 0 -> ...
    Finish(julia);
    EXPECT_EQ(Count(julia), 0);

    AimAt(julia, 0, 0, 1000, {-1, 0});  // 0 -> 1 -> 2 -> 5
    Finish(julia);
    EXPECT_EQ(Count(julia), 3);
    EXPECT_EQ(julia.GetResult()->m_z, std::complex<double>(5, 0));
}

TEST(Julia, ZeroConstantSquares)
{
    CFractAlgJulia julia;
    AimAt(julia, 0.5, -0.5, 300, {});
    Finish(julia);
    EXPECT_EQ(Count(julia), 0);
    AimAt(julia, 2, 0, 300, {});
    Finish(julia);
    EXPECT_EQ(Count(julia), 1);
    EXPECT_TRUE(julia.UsesConstant());
    EXPECT_STREQ(julia.GetName(), "Julia Set");
}

TEST(CubicFormulas, TestTheNewIterateBySumOfAbsoluteParts)
{
    CFractAlgMandelbrot3 m3;
    AimAt(m3, 3, 0, 100);
    Finish(m3);
    EXPECT_EQ(Count(m3), 1);
    EXPECT_EQ(m3.GetResult()->m_z, std::complex<double>(24, 0));

    // 1.5 -> 1.875 -> 5.09 (below 8) -> 130.5: Mandelbrot3's bound is 8, Julia3's is 4.
    AimAt(m3, 1.5, 0, 100);
    Finish(m3);
    EXPECT_EQ(Count(m3), 3);

    CFractAlgJulia3 j3;
    AimAt(j3, 1.7, 0, 100, {0, 0});  // 4.913 >= 4 at once
    Finish(j3);
    EXPECT_EQ(Count(j3), 1);
    AimAt(j3, 0, 1.5, 100, {0, 0});  // (1.5i)^3 = -3.375i: |.| < 4, then escapes
    Finish(j3);
    EXPECT_EQ(Count(j3), 2);
}

TEST(Lambda, ZeroConstantSendsEveryPointToZero)
{
    CFractAlgLambda lambda;
    for (double x : {-3.0, 0.25, 7.0}) {
        AimAt(lambda, x, 1, 500, {0, 0});
        Finish(lambda);
        EXPECT_EQ(Count(lambda), 0);
        EXPECT_EQ(lambda.GetResult()->m_z, std::complex<double>(0, 0));
    }
}

TEST(Lambda, LargePointsEscapePastTheBound)
{
    // C = 1: z(1 - z) at z = 400 is -159600, beyond 100000 after one step.
    CFractAlgLambda lambda;
    AimAt(lambda, 400, 0, 500, {1, 0});
    Finish(lambda);
    EXPECT_EQ(Count(lambda), 1);
    EXPECT_EQ(lambda.GetResult()->m_z, std::complex<double>(-159600, 0));
}

TEST(Sinz, ZeroIsAFixedPoint)
{
    CFractAlgSinz sinz;
    AimAt(sinz, 0, 0, 300, {1, 0});
    Finish(sinz);
    EXPECT_EQ(Count(sinz), 0);
    EXPECT_EQ(sinz.GetResult()->m_z, std::complex<double>(0, 0));
}

TEST(Sinz, PolynomialGrowsPastTheBound)
{
    // At z = 4 the polynomial is 4 - 10.667 + 8.533 - 3.251 + 0.722 = -0.66..., so C = 100000
    // gives |Re| >= 40000 in one step.
    CFractAlgSinz sinz;
    AimAt(sinz, 4, 0, 300, {100000, 0});
    Finish(sinz);
    EXPECT_EQ(Count(sinz), 1);
}

TEST(EscapeFormulas, PointsAtAMillionStepsTakeTwoHundredCalls)
{
    CFractAlgLambda lambda;
    AimAt(lambda, 0.5, 0, 1000000, {0, 0});
    EXPECT_EQ(Finish(lambda), 200);
    CFractAlgSinz sinz;
    AimAt(sinz, 0, 0, 1000000, {1, 0});
    EXPECT_EQ(Finish(sinz), 200);
    EXPECT_EQ(Count(sinz), 0);
}

TEST(EscapeFormulas, NotANumberNeverStopsAPoint)
{
    CFractAlgJulia julia;
    AimAt(julia, std::nan(""), 0, 12000, {0, 0});
    EXPECT_EQ(Finish(julia), 12000);  // yields after every step
    EXPECT_EQ(Count(julia), 0);
}

}  // namespace
}  // namespace korvanta
