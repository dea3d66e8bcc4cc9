// The deep engine on the published deep-zoom benchmark locations: seconds for the reference
// orbit, the approximation tables and the pixels on one thread (pixel by pixel, and a row at
// a time in SSE2, AVX2 and AVX-512 lanes) and on every core, and the speed-up of the
// bilinear approximation over plain perturbation on a sample of the pixels.
//
//   bench_deep_zoom [--size WxH] [--only NAME] [--sample N] [--locations FILE]
#include "core/deep/DeepEngine.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
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

// Every `sample`th pixel each way on `threads` threads; the sum of the counts, as a check.
std::int64_t Pixels(const DeepEngine& engine, std::int32_t width, std::int32_t height, std::int32_t sample,
                    unsigned threads)
{
    std::atomic<std::int32_t> next{0};
    std::atomic<std::int64_t> sum{0};
    auto work = [&] {
        std::int64_t mine = 0;
        for (std::int32_t row; (row = next.fetch_add(sample)) < height;)
            for (std::int32_t column = 0; column < width; column += sample)
                mine += engine.Pixel(column, row).count;
        sum += mine;
    };
    std::vector<std::thread> pool;
    for (unsigned i = 1; i < threads; ++i)
        pool.emplace_back(work);
    work();
    for (auto& t : pool)
        t.join();
    return sum;
}

}  // namespace

int main(int argc, char** argv)
{
    std::int32_t width = 640, height = 360, sample = 8;
    std::string only, path = KORVANTA_DEEP_LOCATIONS;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--size"))
            std::sscanf(argv[i + 1], "%dx%d", &width, &height);
        else if (!std::strcmp(argv[i], "--only"))
            only = argv[i + 1];
        else if (!std::strcmp(argv[i], "--sample"))
            sample = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--locations"))
            path = argv[i + 1];
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%dx%d pixels, %u cores; plain perturbation on every %dth pixel each way\n", width, height, cores,
                sample);
    std::printf("%-8s %8s %6s %10s %8s %10s %10s %10s %10s %10s %10s %9s\n", "location", "limit", "bits",
                "reference", "tables", "pixels 1t", "sse2 1t", "avx2 1t", "avx512 1t", "pixels all", "total 1t",
                "BLA gain");
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
        const std::int64_t alone = Pixels(*engine, width, height, 1, 1);
        const double single = Seconds(started);
        started = Clock::now();
        const std::int64_t one = Rows(*engine, width, height, FormulaKernel::Lanes::Sse2);
        const double sse2 = Seconds(started);
        const bool avx2 = FormulaKernel::Available(FormulaKernel::Lanes::Avx2);
        started = Clock::now();
        const std::int64_t wide = avx2 ? Rows(*engine, width, height, FormulaKernel::Lanes::Avx2) : one;
        const double rows = avx2 ? Seconds(started) : sse2;
        const bool avx512 = FormulaKernel::Available(FormulaKernel::Lanes::Avx512);
        started = Clock::now();
        const std::int64_t widest = avx512 ? Rows(*engine, width, height, FormulaKernel::Lanes::Avx512) : one;
        const double rows512 = avx512 ? Seconds(started) : 0;
        started = Clock::now();
        const std::int64_t all = Pixels(*engine, width, height, 1, cores);
        const double parallel = Seconds(started);
        // Plain perturbation against the same engine without tables, on a sample.
        DeepEngine::Options plain;
        plain.skips = false;
        const auto slow = DeepEngine::Build(DeepKind::Mandelbrot, location, zero, zero, l.limit, plain);
        started = Clock::now();
        Pixels(*engine, width, height, sample, 1);
        const double sampledFast = Seconds(started);
        started = Clock::now();
        Pixels(*slow, width, height, sample, cores);
        const double sampledSlow = Seconds(started) * cores;
        std::printf("%-8s %8d %6ld %9.3fs %7.3fs %9.3fs %9.3fs %9.3fs %9.3fs %9.3fs %9.3fs %8.1fx%s\n",
                    l.name.c_str(), l.limit, static_cast<long>(location.Precision()), engine->ReferenceSeconds(),
                    engine->TableSeconds(), single, sse2, rows, rows512, parallel,
                    engine->ReferenceSeconds() + engine->TableSeconds() + std::min({single, sse2, rows}),
                    sampledSlow / std::max(sampledFast, 1e-9),
                    one == all && one == alone && wide == one && widest == one ? "" : "  (counts differ!)");
        std::fflush(stdout);
    }
}
