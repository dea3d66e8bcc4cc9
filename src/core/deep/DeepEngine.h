#pragma once

#include "core/deep/DeepFormula.h"
#include "core/deep/DeepLocation.h"
#include "core/deep/ReferenceOrbit.h"
#include "core/deep/SkipTable.h"
#include "core/formulas/FormulaKernel.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace korvanta {

// A pixel's outcome as the formulas report it: the count at which it escaped, 0 when it did
// not before the limit; and the value tested last.
struct DeepPixel {
    std::int32_t count = 0;
    double re = 0, im = 0;
    std::int64_t work = 0;  // steps taken, a skip by the approximation counting as one
};

// Every pixel of one deep picture, each stepped in doubles (or the extended range) by its
// difference from reference orbits computed once in arbitrary precision. A pixel whose full
// value becomes smaller than its difference, or that outlives its reference, continues from
// the critical point's orbit with its full value (rebasing), so no pixel follows a reference
// that no longer describes it. Immutable once built: pixels may be computed on any thread.
class DeepEngine {
public:
    struct Options {
        bool rebase = true;     // off only to show what glitches look like
        bool skips = true;      // skip stretches by the approximation tables
        bool quadratic = true;  // skips keep the square of the difference
        // What a skip may drop, relative to its linear terms: the doubles' rounding.
        double epsilon = 0x1p-53;
    };

    // Null when `progress` asked to stop. `constantRe`/`constantIm` are the Julia kinds' C,
    // read at the location's precision (unused for the Mandelbrot kinds).
    static std::unique_ptr<DeepEngine> Build(DeepKind kind, const DeepLocation& location,
                                             const BigFloat& constantRe, const BigFloat& constantIm,
                                             std::int32_t limit, const DeepProgress& progress = {});
    static std::unique_ptr<DeepEngine> Build(DeepKind kind, const DeepLocation& location,
                                             const BigFloat& constantRe, const BigFloat& constantIm,
                                             std::int32_t limit, const Options& options,
                                             const DeepProgress& progress = {});

    DeepPixel Pixel(std::int32_t column, std::int32_t row) const;
    // Pixels `fromColumn` to `toColumn` (excluded) of `row`, each bit for bit as Pixel gives
    // it, several at a time in vector lanes where they can be (`lanes` chooses the width).
    void Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn, std::vector<DeepPixel>& results,
             FormulaKernel::Lanes lanes = FormulaKernel::Lanes::Auto) const;

    const DeepLocation& Location() const { return m_location; }
    std::int32_t Limit() const { return m_limit; }
    // Seconds spent on the reference orbits and on the approximation tables.
    double ReferenceSeconds() const { return m_referenceSeconds; }
    double TableSeconds() const { return m_tableSeconds; }

private:
    explicit DeepEngine(const DeepLocation& location) : m_location(location) {}

    // Where a pixel stands: on which orbit, at which step of it, after how many steps.
    struct Walk {
        const ReferenceOrbit* orbit = nullptr;
        bool critical = false;
        std::size_t m = 0;
        std::int64_t steps = 0;
    };
    // How a stretch of steps ended: the pixel is done, or its difference left the range of
    // the number type it was stepped in.
    enum class Leg { Done, Smaller, Larger, Going };
    // A pixel under way: where it stands, its difference and dc (in Real and as exactly as
    // the tables take them), its tables and what it has come to.
    template <class Real, class TableReal>
    struct Cursor;
    template <class Real, class TableReal>
    Leg Turn(Cursor<Real, TableReal>& cursor) const;
    Walk Start() const;
    // Steps the difference z (kept as Real) until the pixel is done or z leaves Real's
    // range; the approximation tables are those of TableReal.
    template <class Real, class TableReal>
    Leg Steps(Walk& walk, Real& zr, Real& zi, const TableReal& dcRe, const TableReal& dcIm, DeepPixel& out) const;
    template <class Real>
    const SkipTable<Real>* Table(bool critical) const;

    DeepFormula m_formula{};
    DeepLocation m_location;
    Options m_options;
    std::int32_t m_limit = 0;
    // The orbit pixels start on (the centre's; for the quadratic Mandelbrot the critical one
    // serves, see Run) and the critical point's, which every rebase continues on.
    ReferenceOrbit m_centre, m_critical;
    bool m_startsOnCritical = false;
    double m_times[2] = {1, 0};  // what the delta step is multiplied by (Lambda's -C)
    double m_referenceSeconds = 0, m_tableSeconds = 0;
    SkipTable<double> m_centreSkips, m_criticalSkips;
    SkipTable<FloatExp> m_centreSkipsX, m_criticalSkipsX;
    // Per orbit index, what the lanes compare a difference with to know that no skip serves.
    std::vector<float> m_centreBounds, m_criticalBounds;
};

}  // namespace korvanta
