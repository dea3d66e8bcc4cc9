#pragma once

#include <cstdint>
#include <optional>

namespace korvanta {

// The formulas the deep engine computes, in the program's own form: z <- z^p - c, where c
// is the pixel (the Mandelbrot kinds, from z0 = c) or the constant (the Julia kinds, from z0
// = the pixel); and Lambda, z <- C z (1 - z) from z0 = the pixel, which in u = z - 1/2 reads
// u <- -C u^2 + (C/4 - 1/2), a quadratic whose critical point is u = 0.
enum class DeepKind { Mandelbrot, Julia, Mandelbrot3, Julia3, Lambda };

struct DeepFormula {
    int power;        // 2 or 3
    bool pixelIsC;    // c is the pixel, not the constant
    bool testBefore;  // the escape test looks at the iterate before the step (squares), or
                      // after it (the sum of the absolute parts, as the cubic ones and
                      // Lambda do)
    double bailout;
    bool lambda = false;  // the orbit is of u = z - 1/2, and the delta step is times -C
};

constexpr DeepFormula FormulaOf(DeepKind kind)
{
    switch (kind) {
    case DeepKind::Mandelbrot: return {2, true, true, 4.0};
    case DeepKind::Julia: return {2, false, true, 4.0};
    case DeepKind::Mandelbrot3: return {3, true, false, 8.0};
    case DeepKind::Julia3: return {3, false, false, 4.0};
    case DeepKind::Lambda: return {2, false, false, 100000.0, true};
    }
    return {2, true, true, 4.0};
}

// The kind of the formula at this place of the formula list; none for the formulas that stay
// in doubles.
std::optional<DeepKind> DeepKindOfFormula(std::int32_t formulaIndex);

}  // namespace korvanta
