#include "tools/korvanta-render/ZoomFrames.h"

#include "tools/korvanta-render/JobPieces.h"
#include "tools/korvanta-render/OptionText.h"
#include "tools/korvanta-render/RunFigures.h"
#include "tools/korvanta-render/StreamedOutputs.h"
#include "core/files/PictureExport.h"
#include "core/render/ParallelRender.h"
#include "core/text/NumberText.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace korvanta {

namespace {

constexpr double kLn2 = 0.69314718055994530942;

// Natural logarithm and exponential from + - * / and exact scalings alone: libm's may
// round differently from one system to the next.
double PlainLog(double x)
{
    int exponent = 0;
    double m = std::frexp(x, &exponent);
    if (m < 0.70710678118654752440) {
        m *= 2;
        --exponent;
    }
    const double z = (m - 1) / (m + 1), z2 = z * z;
    double sum = 0, power = z;
    for (int k = 1; k < 60; k += 2, power *= z2)
        sum += power / k;
    return 2 * sum + exponent * kLn2;
}

double PlainExp(double x)
{
    const double n = std::nearbyint(x / kLn2);
    const double y = x - n * kLn2;
    double sum = 1, term = 1;
    for (int k = 1; k < 30; ++k) {
        term = term * y / k;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(n));
}

// One axis: the size s0 * (s1 / s0)^t and the centre moving in step with it.
bool Interpolate(double start0, double start1, double end0, double end1, double t, double& from,
                 double& to)
{
    const double s0 = start1 - start0, s1 = end1 - end0;
    const double c0 = start0 + s0 / 2, c1 = end0 + s1 / 2;
    if (!(s0 / s1 > 0))
        return false;
    const double s = s0 * PlainExp(t * PlainLog(s1 / s0));
    const double c = s0 == s1 ? c0 + (c1 - c0) * t : c0 + (c1 - c0) * ((s0 - s) / (s0 - s1));
    from = c - s / 2;
    to = c + s / 2;
    return true;
}

// The shortest text that reads back as the same double.
std::string RealText(double value)
{
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return std::string(text, ec == std::errc{} ? end : text);
}

// Interpolate's arithmetic in arbitrary precision: from and to get the frame's side.
bool InterpolateDeep(const BigFloat& start0, const BigFloat& start1, const BigFloat& end0, const BigFloat& end1,
                     std::int32_t frame, std::int32_t frames, BigFloat& from, BigFloat& to)
{
    const mpfr_prec_t bits = from.Precision();
    BigFloat s0(bits), s1(bits), c0(bits), c1(bits), s(bits), c(bits), v(bits);
    mpfr_sub(s0.get(), start1.get(), start0.get(), MPFR_RNDN);
    mpfr_sub(s1.get(), end1.get(), end0.get(), MPFR_RNDN);
    if (mpfr_sgn(s0.get()) == 0 || mpfr_sgn(s0.get()) != mpfr_sgn(s1.get()))
        return false;
    mpfr_div_2ui(v.get(), s0.get(), 1, MPFR_RNDN);
    mpfr_add(c0.get(), start0.get(), v.get(), MPFR_RNDN);
    mpfr_div_2ui(v.get(), s1.get(), 1, MPFR_RNDN);
    mpfr_add(c1.get(), end0.get(), v.get(), MPFR_RNDN);
    // s = s0 (s1 / s0)^t, t = frame / (frames - 1)
    mpfr_div(v.get(), s1.get(), s0.get(), MPFR_RNDN);
    mpfr_log(v.get(), v.get(), MPFR_RNDN);
    mpfr_mul_si(v.get(), v.get(), frame, MPFR_RNDN);
    mpfr_div_si(v.get(), v.get(), std::max(1, frames - 1), MPFR_RNDN);
    mpfr_exp(v.get(), v.get(), MPFR_RNDN);
    mpfr_mul(s.get(), s0.get(), v.get(), MPFR_RNDN);
    // c = c0 + (c1 - c0) (s0 - s) / (s0 - s1), or evenly for a pan.
    mpfr_sub(c.get(), c1.get(), c0.get(), MPFR_RNDN);
    if (mpfr_equal_p(s0.get(), s1.get())) {
        mpfr_mul_si(c.get(), c.get(), frame, MPFR_RNDN);
        mpfr_div_si(c.get(), c.get(), std::max(1, frames - 1), MPFR_RNDN);
    } else {
        mpfr_sub(v.get(), s0.get(), s.get(), MPFR_RNDN);
        mpfr_mul(c.get(), c.get(), v.get(), MPFR_RNDN);
        mpfr_sub(v.get(), s0.get(), s1.get(), MPFR_RNDN);
        mpfr_div(c.get(), c.get(), v.get(), MPFR_RNDN);
    }
    mpfr_add(c.get(), c.get(), c0.get(), MPFR_RNDN);
    mpfr_div_2ui(s.get(), s.get(), 1, MPFR_RNDN);
    mpfr_sub(from.get(), c.get(), s.get(), MPFR_RNDN);
    mpfr_add(to.get(), c.get(), s.get(), MPFR_RNDN);
    return true;
}

}  // namespace

std::optional<DeepArea> ZoomFrameDeepArea(const DeepArea& start, const DeepArea& end, std::int32_t frame,
                                          std::int32_t frames, std::int32_t width, std::int32_t height)
{
    const std::string* texts[] = {&start.xStart, &start.xEnd, &start.yStart, &start.yEnd,
                                  &end.xStart,   &end.xEnd,   &end.yStart,   &end.yEnd};
    std::size_t longest = 0;
    for (const std::string* text : texts)
        longest = std::max(longest, text->size());
    if (longest > kLongestDeepText || width < 1 || height < 1)
        return std::nullopt;
    // Read with every digit the texts have; worked with as many bits more as the frame's
    // pixels lie below its coordinates, and 64 on top.
    const auto readBits = static_cast<mpfr_prec_t>(64 + 4 * longest);
    std::vector<BigFloat> v;
    for (const std::string* text : texts) {
        auto value = BigFloat::FromDecimal(*text, readBits);
        if (!value)
            return std::nullopt;
        v.push_back(std::move(*value));
    }
    std::int64_t scale = 0, spacing = std::numeric_limits<std::int64_t>::max();
    for (const BigFloat& x : v)
        scale = std::max(scale, LeadingBit(x));
    const std::int64_t across = std::bit_width(static_cast<std::uint32_t>(std::max(width, height)));
    for (int side = 0; side < 8; side += 2) {
        BigFloat size(readBits + 8);
        mpfr_sub(size.get(), v[side + 1].get(), v[side].get(), MPFR_RNDN);
        spacing = std::min(spacing, LeadingBit(size) - across);
    }
    // The deepest frame is one of the two ends.
    if (spacing < kDeepestSpacingExponent)
        return std::nullopt;
    const auto bits = static_cast<mpfr_prec_t>(readBits + std::max<std::int64_t>(0, scale - spacing) + 64);
    BigFloat x0(bits), x1(bits), y0(bits), y1(bits);
    if (!InterpolateDeep(v[0], v[1], v[4], v[5], frame, frames, x0, x1) ||
        !InterpolateDeep(v[2], v[3], v[6], v[7], frame, frames, y0, y1))
        return std::nullopt;
    const int digits = DigitsToTellApart(scale, spacing);
    return DeepArea{x0.ToDecimal(digits), x1.ToDecimal(digits), y0.ToDecimal(digits), y1.ToDecimal(digits)};
}

std::optional<Area> ZoomFrameArea(const Area& start, const Area& end, std::int32_t frame,
                                  std::int32_t frames)
{
    const double t = frames > 1 ? double(frame) / double(frames - 1) : 0.0;
    Area area;
    if (!Interpolate(start.xStart, start.xEnd, end.xStart, end.xEnd, t, area.xStart, area.xEnd) ||
        !Interpolate(start.yStart, start.yEnd, end.yStart, end.yEnd, t, area.yStart, area.yEnd))
        return std::nullopt;
    return area;
}

std::optional<std::string> FrameName(const std::string& pattern, std::int32_t frame)
{
    std::string name;
    int conversions = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            name.push_back(pattern[i]);
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            name.push_back('%');
            ++i;
            continue;
        }
        std::size_t at = i + 1;
        const bool zeros = at < pattern.size() && pattern[at] == '0';
        if (zeros)
            ++at;
        std::size_t width = 0;
        while (at < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[at])) && width < 100)
            width = width * 10 + std::size_t(pattern[at++] - '0');
        if (at >= pattern.size() || pattern[at] != 'd' || width > 20 || ++conversions > 1)
            return std::nullopt;
        const std::string digits = std::to_string(frame);
        if (digits.size() < width)
            name.append(width - digits.size(), zeros ? '0' : ' ');
        name += digits;
        i = at;
    }
    if (conversions != 1)
        return std::nullopt;
    return name;
}

int RunFrames(const RenderOptions& options, const OverlayDrawer& overlay, std::ostream& err,
              const ToolFailure& fail)
{
    if (options.document || options.merge)
        return fail("--frames goes with neither --document nor --merge", 2);
    const auto count = options.frames ? WholeNumber(*options.frames) : std::nullopt;
    const std::int32_t frames = count.value_or(0);
    if (frames < 1)
        return fail("--frames needs a number of frames, 1 or more" +
                        (options.frames ? ", not '" + *options.frames + "'" : std::string()),
                    2);
    const std::int32_t only = options.frame ? WholeNumber(*options.frame).value_or(frames) : -1;
    if (only >= frames)
        return fail("--frame needs a frame number from 0 to " + std::to_string(frames - 1) + ", not '" +
                        *options.frame + "'",
                    2);
    if (!options.zoomTo)
        return fail("--frames needs the last frame's area: --zoom-to=X0,X1,Y0,Y1", 2);
    for (const std::string& output : options.outputs)
        if (!FrameName(output, 0))
            return fail("'" + output + "': with --frames each output names its frames with one %d, "
                        "e.g. frame-%05d.png",
                        2);

    // The end picture as given, to check --zoom-to like --area and to read its area.
    RenderOptions last = options;
    last.area = options.zoomTo;
    RenderFields first, end;
    std::string error;
    if (!PictureFields(options, first, error))
        return fail(error, 2);
    if (!PictureFields(last, end, error))
        return fail(error.starts_with("--area") ? "--zoom-to" + error.substr(6) : error, 2);
    auto area = [](const RenderFields& f) {
        return Area{ScanReal(f.xStart).value_or(0), ScanReal(f.xEnd).value_or(0),
                    ScanReal(f.yStart).value_or(0), ScanReal(f.yEnd).value_or(0)};
    };
    auto deepArea = [](const RenderFields& f) { return DeepArea{f.xStart, f.xEnd, f.yStart, f.yEnd}; };
    const std::int32_t width = WholeNumber(first.width).value_or(1), height = WholeNumber(first.height).value_or(1);
    // Ends that doubles cannot hold zoom in arbitrary precision; all others as they always did.
    auto resolved = [&](const RenderFields& f) {
        const Area a = area(f);
        return !BelowDoubles(f.xStart) && !BelowDoubles(f.xEnd) && !BelowDoubles(f.yStart) &&
               !BelowDoubles(f.yEnd) && DoublesResolve(a.xStart, a.xEnd, a.yStart, a.yEnd, width, height);
    };
    const bool deep = !resolved(first) || !resolved(end);
    if (deep ? !ZoomFrameDeepArea(deepArea(first), deepArea(end), 0, frames, width, height)
             : !ZoomFrameArea(area(first), area(end), 0, frames))
        return fail("--zoom-to must run the same way as the picture's area (X0 to X1 and Y0 to Y1 "
                    "rising or falling alike)",
                    2);

    const std::int32_t from = only >= 0 ? only : 0, to = only >= 0 ? only + 1 : frames;
    const bool asWritten = RendersAsWritten(options, options.outputs);
    RunFigures figures;
    int status = 0;
    for (std::int32_t k = from; k < to; ++k) {
        // The first and last frames are the pictures of the given areas, as typed.
        RenderOptions frame = options;
        if (k == frames - 1 && frames > 1) {
            frame.area = options.zoomTo;
        } else if (k > 0 && deep) {
            const DeepArea a = *ZoomFrameDeepArea(deepArea(first), deepArea(end), k, frames, width, height);
            frame.area = a.xStart + "," + a.xEnd + "," + a.yStart + "," + a.yEnd;
        } else if (k > 0) {
            const Area a = *ZoomFrameArea(area(first), area(end), k, frames);
            frame.area = RealText(a.xStart) + "," + RealText(a.xEnd) + "," + RealText(a.yStart) + "," +
                         RealText(a.yEnd);
        }
        std::unique_ptr<RenderJob> job;
        try {
            job = PreparePicture(frame, overlay, error, asWritten ? PictureHeld::RowByRow : PictureHeld::Whole);
        } catch (const std::runtime_error& e) {
            error = e.what();
        }
        if (!job)
            return fail("frame " + std::to_string(k) + ": " + error, 2);
        if (asWritten) {
            std::vector<std::string> names;
            for (const std::string& pattern : options.outputs)
                names.push_back(*FrameName(pattern, k));
            try {
                std::int64_t pixels = 0;
                status = std::max(status, WriteAsRendered(*job, names, ThreadsToUse(options), err, {}, pixels));
                figures.AddPixels(pixels);
            } catch (const std::exception& e) {
                return fail("frame " + std::to_string(k) + ": rendering failed: " + e.what(), 1);
            }
            continue;
        }
        try {
            RenderInParallel(*job, ThreadsToUse(options));
            figures.AddPixels(std::int64_t{job->Settings().m_nWidth} * job->Settings().m_nHeight);
        } catch (const std::exception& e) {
            return fail("frame " + std::to_string(k) + ": rendering failed: " + e.what(), 1);
        }
        WindowPlacement placement;
        placement.right = job->Settings().m_nWidth;
        placement.bottom = job->Settings().m_nHeight;
        for (const std::string& pattern : options.outputs) {
            const std::string name = *FrameName(pattern, k);
            std::error_code reason;
            const SaveMessages messages = SavePicture(name, *FormatOfName(name), *job, placement, &reason);
            status = std::max(status, ReportSaveFailure(err, name, messages, reason));
        }
    }
    if (options.verbose)
        figures.Print(err);
    return status;
}

}  // namespace korvanta
