#pragma once

#include "core/deep/FloatExp.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

// What the deep engine's steps need of their number type, for doubles and for the extended
// range alike, so both paths share one order of operations.

inline double Twice(double x)
{
    return 2 * x;
}
inline FloatExp Twice(const FloatExp& x)
{
    return x.Twice();
}

inline double AsDouble(double x)
{
    return x;
}
inline double AsDouble(const FloatExp& x)
{
    return x.ToDouble();
}

// |(re, im)| without overflow or underflow on the way.
inline double Magnitude(double re, double im)
{
    return Hypot(FloatExp(re), FloatExp(im)).ToDouble();
}
inline FloatExp Magnitude(const FloatExp& re, const FloatExp& im)
{
    return Hypot(re, im);
}

// |re| + |im|, at least the magnitude.
inline double Norm1(double re, double im)
{
    return std::fabs(re) + std::fabs(im);
}
inline FloatExp Norm1(const FloatExp& re, const FloatExp& im)
{
    return re.Abs() + im.Abs();
}

// |a| < |b|, decided on exactly scaled squares so that tiny values still compare.
inline bool SmallerThan(double ar, double ai, double br, double bi)
{
    const double a = std::max(std::fabs(ar), std::fabs(ai)), b = std::max(std::fabs(br), std::fabs(bi));
    // |a| >= max part of a, |b| <= sqrt(2) max part of b.
    if (a >= 1.5 * b)
        return false;
    if (b == 0)
        return false;
    int e = 0;
    std::frexp(b, &e);
    const double sar = std::ldexp(ar, -e), sai = std::ldexp(ai, -e);
    const double sbr = std::ldexp(br, -e), sbi = std::ldexp(bi, -e);
    return sar * sar + sai * sai < sbr * sbr + sbi * sbi;
}
inline bool SmallerThan(const FloatExp& ar, const FloatExp& ai, const FloatExp& br, const FloatExp& bi)
{
    return ar * ar + ai * ai < br * br + bi * bi;
}

}  // namespace korvanta
