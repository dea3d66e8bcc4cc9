#include "core/formulas/QuadraticKernel.h"

#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <typeinfo>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace korvanta {

namespace {

#if !defined(__SSE2__)
// One pixel as the formula object computes it whole: at least one step, then on until the
// test says stop or the limit is reached (NaN decides nothing, so it runs to the limit).
CFractValue ScalarPixel(double x, double y, double cx, double cy, std::uint32_t limit)
{
    std::uint32_t n = 0;
    bool stop = false;
    do {
        ++n;
        const double t = x * x + y * y;
        const double nx = x * x - y * y - cx;
        y = 2 * x * y - cy;
        x = nx;
        stop = t >= 4.0;
    } while (!stop && n < limit);
    CFractValue result(x, y);
    result.SetCount(n < limit ? static_cast<std::int32_t>(n) : 0);
    return result;
}
#endif

}  // namespace

bool QuadraticKernel::Handles(const CFractAlg& alg)
{
    // Exactly these classes: a subclass may step differently.
    return typeid(alg) == typeid(CFractAlgMandelbrot) || typeid(alg) == typeid(CFractAlgJulia);
}

QuadraticKernel::QuadraticKernel(const CFractAlg& alg)
    : m_julia(typeid(alg) == typeid(CFractAlgJulia)),
      m_xStart(alg.XStart()),
      m_yStart(alg.YStart()),
      m_dx(alg.StepX()),
      m_dy(alg.StepY()),
      m_limit(static_cast<std::uint32_t>(alg.GetMaxIter()))
{
    if (m_julia) {
        m_a = alg.GetConstant().m_z.real();
        m_b = alg.GetConstant().m_z.imag();
    }
}

void QuadraticKernel::Row(std::int32_t row, std::int32_t fromColumn, std::int32_t toColumn,
                          std::vector<CFractValue>& results) const
{
    results.assign(static_cast<std::size_t>(std::max(0, toColumn - fromColumn)), CFractValue{});
    // The point of a pixel, as SetPoint makes it.
    const double y0 = m_yStart + row * m_dy;
    auto pointX = [&](std::int32_t column) { return m_xStart + column * m_dx; };
    const double cy = m_julia ? m_b : y0;

#if defined(__SSE2__)
    // Six lanes in three vectors step together, the vectors interleaved so that their
    // chains of dependent multiplies overlap; a lane that finishes hands in its pixel and
    // takes the next.
    constexpr int kVectors = 3, kLanes = 2 * kVectors;
    std::int32_t column[kLanes];
    std::uint64_t begun[kLanes];  // the shared step count when the lane's pixel began
    bool busy[kLanes] = {};
    alignas(16) double x[kLanes], y[kLanes], cx[kLanes], cys[kLanes];
    std::int32_t next = fromColumn;
    std::uint64_t steps = 0;
    int busyMask = 0;
    auto load = [&](int lane) {
        if (next >= toColumn) {
            busy[lane] = false;
            busyMask &= ~(1 << lane);
            x[lane] = y[lane] = cx[lane] = cys[lane] = 0;
            return;
        }
        column[lane] = next++;
        const double px = pointX(column[lane]);
        x[lane] = px;
        y[lane] = y0;
        cx[lane] = m_julia ? m_a : px;
        cys[lane] = cy;
        begun[lane] = steps;
        busy[lane] = true;
        busyMask |= 1 << lane;
    };
    for (int lane = 0; lane < kLanes; ++lane)
        load(lane);
    const __m128d four = _mm_set1_pd(4.0);
    while (busyMask != 0) {
        __m128d vx[kVectors], vy[kVectors], vcx[kVectors], vcy[kVectors];
        for (int v = 0; v < kVectors; ++v) {
            vx[v] = _mm_load_pd(x + 2 * v);
            vy[v] = _mm_load_pd(y + 2 * v);
            vcx[v] = _mm_load_pd(cx + 2 * v);
            vcy[v] = _mm_load_pd(cys + 2 * v);
        }
        // Steps until a lane's test says stop or a lane reaches its limit.
        std::uint64_t room = UINT32_MAX;
        for (int lane = 0; lane < kLanes; ++lane)
            if (busy[lane])
                room = std::min<std::uint64_t>(room, begun[lane] + m_limit - steps);
        std::uint64_t taken = 0;
        int stopped = 0;
        do {
            stopped = 0;
            for (int v = 0; v < kVectors; ++v) {
                const __m128d xx = _mm_mul_pd(vx[v], vx[v]), yy = _mm_mul_pd(vy[v], vy[v]);
                const __m128d t = _mm_add_pd(xx, yy);
                const __m128d nx = _mm_sub_pd(_mm_sub_pd(xx, yy), vcx[v]);
                vy[v] = _mm_sub_pd(_mm_mul_pd(_mm_add_pd(vx[v], vx[v]), vy[v]), vcy[v]);
                vx[v] = nx;
                stopped |= _mm_movemask_pd(_mm_cmpge_pd(t, four)) << (2 * v);
            }
            ++taken;
        } while (taken < room && (stopped & busyMask) == 0);
        steps += taken;
        for (int v = 0; v < kVectors; ++v) {
            _mm_store_pd(x + 2 * v, vx[v]);
            _mm_store_pd(y + 2 * v, vy[v]);
        }
        for (int lane = 0; lane < kLanes; ++lane) {
            if (!busy[lane])
                continue;
            const auto n = static_cast<std::uint32_t>(steps - begun[lane]);
            const bool stop = stopped & (1 << lane);
            if (!stop && n < m_limit)
                continue;
            CFractValue& result = results[static_cast<std::size_t>(column[lane] - fromColumn)];
            result = std::complex<double>(x[lane], y[lane]);
            result.SetCount(n < m_limit ? static_cast<std::int32_t>(n) : 0);
            load(lane);
        }
    }
#else
    for (std::int32_t c = fromColumn; c < toColumn; ++c) {
        const double px = pointX(c);
        results[static_cast<std::size_t>(c - fromColumn)] =
            ScalarPixel(px, y0, m_julia ? m_a : px, cy, m_limit);
    }
#endif
}

}  // namespace korvanta
