// The deep engine on the published deep-zoom benchmark locations: seconds for the reference
// orbit, the skip tables and the pixels on one thread (pixel by pixel, and a row at a time
// in SSE2, AVX2 and AVX-512 lanes, with the best lanes' speed-up over pixel by pixel) and on
// every core; the skips' speed-up over plain perturbation and the share of counts equal to
// plain perturbation's, on every `sample`th pixel each way; and the share equal to a direct
// MPFR iteration of the formula on a grid of `direct` pixels, with plain perturbation's share
// on the same grid beside it.
//
//   bench_deep_zoom [--size WxH] [--only NAME] [--sample N] [--direct CxR] [--locations FILE]
#include "core/deep/DeepEngine.h"
#include "support/DirectIteration.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace korvanta;
using Clock = std::chrono::steady_clock;

namespace {

struct Location {
    std::string name, zoom, re, im;
    std::int32_t limit = 0;
};

std::vector<Location> ReadLocations(const std::string& path)
{
    std::vector<Location> all;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Location l;
        if (fields >> l.name >> l.zoom >> l.limit >> l.re >> l.im)
            all.push_back(l);
    }
    return all;
}

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Every pixel of every row, a row at a time in vector lanes, on one thread.
std::int64_t Rows(const DeepEngine& engine, std::int32_t width, std::int32_t height, FormulaKernel::Lanes lanes)
{
    std::int64_t sum = 0;
    std::vector<DeepPixel> row;
    for (std::int32_t y = 0; y < height; ++y) {
        engine.Row(y, 0, width, row, lanes);
        for (const DeepPixel& p : row)
            sum += p.count;
    }
    return sum;
}

// Every pixel on its own, on one thread.
std::int64_t PixelByPixel(const DeepEngine& engine, std::int32_t width, std::int32_t height)
{
    std::int64_t sum = 0;
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x)
            sum += engine.Pixel(x, y).count;
    return sum;
}

// `work(i)` for i from 0 to `count` - 1 on `threads` threads.
void Spread(std::int32_t count, unsigned threads, const std::function<void(std::int32_t)>& work)
{
    std::atomic<std::int32_t> next{0};
    auto run = [&] {
        for (std::int32_t i; (i = next++) < count;)
            work(i);
    };
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < threads; ++i)
        pool.emplace_back(run);
    run();
    for (auto& t : pool)
        t.join();
}

// The pixels of a grid of `columns` x `rows` spread evenly over the picture.
struct Grid {
    std::int32_t columns, rows, width, height;
    std::int32_t Column(std::int32_t i) const { return (2 * (i % columns) + 1) * width / (2 * columns); }
    std::int32_t Row(std::int32_t i) const { return (2 * (i / columns) + 1) * height / (2 * rows); }
    std::int32_t Count() const { return columns * rows; }
};

// Every `sample`th pixel each way on `threads` threads; the counts in order.
std::vector<std::int32_t> Counts(const DeepEngine& engine, const Grid& grid, unsigned threads)
{
    std::vector<std::int32_t> counts(static_cast<std::size_t>(grid.Count()));
    Spread(grid.Count(), threads,
           [&](std::int32_t i) { counts[static_cast<std::size_t>(i)] = engine.Pixel(grid.Column(i), grid.Row(i)).count; });
    return counts;
}

double ShareEqual(const std::vector<std::int32_t>& a, const std::vector<std::int32_t>& b)
{
    std::size_t same = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        same += a[i] == b[i];
    return a.empty() ? 1.0 : static_cast<double>(same) / static_cast<double>(a.size());
}

}  // namespace

int main(int argc, char** argv)
{
    std::int32_t width = 640, height = 360, sample = 8, directColumns = 16, directRows = 9;
    std::string only, path = KORVANTA_DEEP_LOCATIONS;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--size"))
            std::sscanf(argv[i + 1], "%dx%d", &width, &height);
        else if (!std::strcmp(argv[i], "--only"))
            only = argv[i + 1];
        else if (!std::strcmp(argv[i], "--sample"))
            sample = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--direct") &&
                 std::sscanf(argv[i + 1], "%dx%d", &directColumns, &directRows) != 2)
            directColumns = directRows = 0;
        else if (!std::strcmp(argv[i], "--locations"))
            path = argv[i + 1];
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%dx%d pixels, %u cores; plain perturbation on every %dth pixel each way, a direct MPFR iteration on "
                "%dx%d of them\n",
                width, height, cores, sample, directColumns, directRows);
    std::printf("%-8s %8s %6s %9s %8s %9s %9s %9s %9s %6s %9s %9s %8s %7s %7s %7s\n", "location", "limit", "bits",
                "reference", "tables", "pixels 1t", "sse2 1t", "avx2 1t", "avx512 1t", "lanes", "pixels all",
                "total 1t", "skip gain", "=plain", "=MPFR", "plain=");
    for (const Location& l : ReadLocations(path)) {
        if (!only.empty() && only != l.name)
            continue;
        // Half the height is 2 / zoom.
        const auto zoom = BigFloat::FromDecimal(l.zoom, 64);
        BigFloat radius(64, 2.0);
        mpfr_div(radius.get(), radius.get(), zoom->get(), MPFR_RNDN);
        const auto area = AreaAroundCentre(l.re, l.im, radius.ToDecimal(20), width, height);
        const auto made = DeepLocation::Make(*area, width, height, l.limit);
        const DeepLocation& location = std::get<DeepLocation>(made);
        const BigFloat zero(64, 0.0);
        const auto engine = DeepEngine::Build(DeepKind::Mandelbrot, location, zero, zero, l.limit);
        auto started = Clock::now();
        const std::int64_t alone = PixelByPixel(*engine, width, height);
        const double single = Seconds(started);
        double laned[3] = {0, 0, 0};
        bool same = true;
        const FormulaKernel::Lanes widths[] = {FormulaKernel::Lanes::Sse2, FormulaKernel::Lanes::Avx2,
                                               FormulaKernel::Lanes::Avx512};
        for (int w = 0; w < 3; ++w) {
            if (!FormulaKernel::Available(widths[w]))
                continue;
            started = Clock::now();
            same = same && Rows(*engine, width, height, widths[w]) == alone;
            laned[w] = Seconds(started);
        }
        double best = single;
        for (const double t : laned)
            if (t > 0)
                best = std::min(best, t);
        started = Clock::now();
        std::atomic<std::int64_t> sum{0};
        Spread(height, cores, [&](std::int32_t row) {
            std::vector<DeepPixel> pixels;
            engine->Row(row, 0, width, pixels);
            std::int64_t mine = 0;
            for (const DeepPixel& p : pixels)
                mine += p.count;
            sum += mine;
        });
        const double parallel = Seconds(started);
        same = same && sum == alone;
        // Plain perturbation against the same engine without tables, on a sample.
        DeepEngine::Options plainOptions;
        plainOptions.skips = false;
        const auto plain = DeepEngine::Build(DeepKind::Mandelbrot, location, zero, zero, l.limit, plainOptions);
        const Grid sampled{std::max(1, width / sample), std::max(1, height / sample), width, height};
        started = Clock::now();
        const auto fast = Counts(*engine, sampled, 1);
        const double sampledFast = Seconds(started);
        started = Clock::now();
        const auto slow = Counts(*plain, sampled, cores);
        const double sampledSlow = Seconds(started) * cores;
        // Both against a direct iteration of the formula in MPFR, 64 bits beyond the engine's.
        double direct = 0, plainDirect = 0;
        if (directColumns > 0 && directRows > 0) {
            const Grid grid{directColumns, directRows, width, height};
            const mpfr_prec_t bits = location.Precision() + 64;
            std::vector<std::int32_t> truth(static_cast<std::size_t>(grid.Count()));
            Spread(grid.Count(), cores, [&](std::int32_t i) {
                BigFloat re(bits), im(bits);
                testing::PixelPoint(*area, width, height, grid.Column(i), grid.Row(i), re, im);
                const BigFloat c(bits, 0.0);
                truth[static_cast<std::size_t>(i)] = testing::DirectCount(DeepKind::Mandelbrot, re, im, c, c, l.limit);
            });
            direct = ShareEqual(Counts(*engine, grid, cores), truth);
            plainDirect = ShareEqual(Counts(*plain, grid, cores), truth);
        }
        std::printf("%-8s %8d %6ld %8.3fs %7.3fs %8.3fs %8.3fs %8.3fs %8.3fs %5.2fx %8.3fs %8.3fs %7.1fx %6.1f%% %6.1f%% "
                    "%6.1f%%%s\n",
                    l.name.c_str(), l.limit, static_cast<long>(location.Precision()), engine->ReferenceSeconds(),
                    engine->TableSeconds(), single, laned[0], laned[1], laned[2], single / best, parallel,
                    engine->ReferenceSeconds() + engine->TableSeconds() + best,
                    sampledSlow / std::max(sampledFast, 1e-9), 100 * ShareEqual(fast, slow), 100 * direct,
                    100 * plainDirect, same ? "" : "  (counts differ!)");
        std::fflush(stdout);
    }
}
