#pragma once

#include <cstdint>
#include <optional>

namespace korvanta {

// The formulas the deep engine computes, in the program's own form: z <- z^p - c, where c
// is the pixel (the Mandelbrot kinds, from z0 = c) or the constant (the Julia kinds, from z0
// = the pixel).
enum class DeepKind { Mandelbrot, Julia, Mandelbrot3, Julia3 };

struct DeepFormula {
    int power;        // 2 or 3
    bool pixelIsC;    // c is the pixel, not the constant
    bool testBefore;  // the escape test looks at the iterate before the step (squares), or
                      // after it (the sum of the absolute parts, as the cubic ones do)
    double bailout;
};

constexpr DeepFormula FormulaOf(DeepKind kind)
{
    switch (kind) {
    case DeepKind::Mandelbrot: return {2, true, true, 4.0};
    case DeepKind::Julia: return {2, false, true, 4.0};
    case DeepKind::Mandelbrot3: return {3, true, false, 8.0};
    case DeepKind::Julia3: return {3, false, false, 4.0};
    }
    return {2, true, true, 4.0};
}

// The kind of the formula at this place of the formula list; none for the formulas that stay
// in doubles.
std::optional<DeepKind> DeepKindOfFormula(std::int32_t formulaIndex);

}  // namespace korvanta
