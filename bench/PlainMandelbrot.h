#pragma once

// The Mandelbrot picture computed without the render machinery, as the benchmarks' baselines:
// a bare loop with no objects, virtual calls or yields, and the formula and coloring objects
// called in a plain loop, without render steps or idle ticks.
#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgMandelbrot.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace korvanta::bench {

struct PlainScene {
    int size = 400;
    std::uint32_t limit = 2304;
    double xStart = -1, xEnd = 2, yStart = -1.5, yEnd = 1.5;
};

// Fills `counts` (row 0 first) and returns the number of iterations done.
inline std::uint64_t PlainMandelbrot(const PlainScene& s, std::vector<std::uint32_t>& counts)
{
    counts.assign(std::size_t(s.size) * s.size, 0);
    const double dx = (s.xEnd - s.xStart) / s.size, dy = (s.yEnd - s.yStart) / s.size;
    std::uint64_t iterations = 0;
    for (int row = 0; row < s.size; ++row) {
        for (int col = 0; col < s.size; ++col) {
            const double cx = s.xStart + col * dx, cy = s.yStart + row * dy;
            double x = cx, y = cy;
            std::uint32_t n = 0;
            for (;;) {
                ++n;
                const double t = std::fabs(x * x) + std::fabs(y * y);
                const double nx = x * x - y * y - cx;
                y = 2 * x * y - cy;
                x = nx;
                if (n >= s.limit || t >= 4.0)
                    break;
            }
            iterations += n;
            counts[std::size_t(row) * s.size + col] = n < s.limit ? n : 0;
        }
    }
    return iterations;
}

// Fills `pixels` (row 0 first) through the formula and coloring objects.
inline void FormulaLoop(const PlainScene& s, std::vector<std::uint32_t>& pixels)
{
    pixels.assign(std::size_t(s.size) * s.size, 0);
    CFractAlgMandelbrot alg;
    CFractCol2304 col;
    alg.SetArea(s.xStart, s.xEnd, s.yStart, s.yEnd);
    alg.SetWidth(s.size);
    alg.SetHeight(s.size);
    alg.SetMaxIter(static_cast<std::int32_t>(s.limit));
    for (int row = 0; row < s.size; ++row) {
        for (int column = 0; column < s.size; ++column) {
            alg.SetPoint(column, row);
            while (!alg.Iterate()) {
            }
            pixels[std::size_t(row) * s.size + column] = col.GetColor(*alg.GetResult());
        }
    }
}

}  // namespace korvanta::bench
