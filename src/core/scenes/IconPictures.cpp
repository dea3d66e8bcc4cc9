#include "core/scenes/IconPictures.h"

#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderJob.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace korvanta {

PixelBuffer RenderIconPicture(IconPicture which, std::int32_t size)
{
    return RenderIconPicture(which, size, size);
}

PixelBuffer RenderIconPicture(IconPicture which, std::int32_t width, std::int32_t height)
{
    PictureObjects objects{nullptr, std::make_unique<CFractCol2304>()};
    Area area;
    if (which == IconPicture::Program) {
        objects.alg = std::make_unique<CFractAlgMandelbrot>();
        area = {-0.6, 2.1, -1.35, 1.35};
    } else {
        objects.alg = std::make_unique<CFractAlgJulia>();
        objects.alg->SetConstant(CFractValue(0.8, 0.156));
        area = {-1.5, 1.5, -1.5, 1.5};
    }
    // Square areas: the longer side of the picture sets the scale.
    const double perPixel = (area.xEnd - area.xStart) / std::min(width, height);
    const double extraX = (width - std::min(width, height)) * perPixel / 2;
    const double extraY = (height - std::min(width, height)) * perPixel / 2;
    RenderJob job(RenderSettings::ForArea(area.xStart - extraX, area.xEnd + extraX,
                                          area.yStart - extraY, area.yEnd + extraY, width, height),
                  std::move(objects));
    job.CreateBitmaps();
    while (job.RenderStep() != 0) {
    }
    return std::move(job.Pixels());
}

namespace {

struct Rgb {
    double r, g, b;
};

constexpr Rgb kOutline{64, 64, 72};
constexpr Rgb kPaper{255, 255, 255};
constexpr Rgb kFold{214, 214, 222};
constexpr Rgb kPlay{32, 84, 196};

Rgb RgbOf(std::uint32_t pixel)
{
    return {double((pixel >> 16) & 0xFF), double((pixel >> 8) & 0xFF), double(pixel & 0xFF)};
}

// What covers the point (x, y) of the icon, in pixels from its top left; nothing is clear.
using Shape = std::function<std::optional<Rgb>(double x, double y)>;

// Edges are smoothed by sampling each pixel at 4 x 4 points.
PixelBuffer Draw(std::int32_t size, const Shape& shape)
{
    constexpr int kSamples = 4;
    PixelBuffer icon = PixelBuffer::Allocate(size, size);
    for (std::int32_t y = 0; y < size; ++y)
        for (std::int32_t x = 0; x < size; ++x) {
            Rgb sum{0, 0, 0};
            int covered = 0;
            for (int i = 0; i < kSamples; ++i)
                for (int j = 0; j < kSamples; ++j)
                    if (const auto color = shape(x + (j + 0.5) / kSamples, y + (i + 0.5) / kSamples)) {
                        sum = {sum.r + color->r, sum.g + color->g, sum.b + color->b};
                        ++covered;
                    }
            if (covered == 0)
                continue;
            const auto channel = [&](double total) { return std::uint32_t(std::lround(total / covered)); };
            const std::uint32_t alpha = std::uint32_t(covered * 255 / (kSamples * kSamples));
            icon.at(x, size - 1 - y) =
                (alpha << 24) | (channel(sum.r) << 16) | (channel(sum.g) << 8) | channel(sum.b);
        }
    return icon;
}

PixelBuffer ProgramIcon(std::int32_t size)
{
    const PixelBuffer picture = RenderIconPicture(IconPicture::Program, size);
    const double centre = size / 2.0, radius = size / 2.0 - std::max(0.5, size / 32.0);
    const double rim = std::max(1.0, size / 24.0);
    return Draw(size, [&](double x, double y) -> std::optional<Rgb> {
        const double distance = std::hypot(x - centre, y - centre);
        if (distance > radius)
            return std::nullopt;
        if (distance > radius - rim)
            return kOutline;
        return RgbOf(picture.at(std::int32_t(x), size - 1 - std::int32_t(y)));
    });
}

// A sheet of paper whose top right corner is folded over; its face holds a Julia set for
// documents, a play sign for macros.
PixelBuffer SheetIcon(std::int32_t size, DesktopIcon which)
{
    const int left = std::max(1, size * 3 / 20), right = size - left;
    const int top = size / 32, bottom = size - top;
    const int line = std::max(1, size / 24), gap = std::max(1, size / 16);
    const int fold = size * 5 / 16;
    // The face's square: under the fold, inside the outline.
    const int lowest = bottom - line - gap;
    const int side = std::min(right - left - 2 * (line + gap), lowest - (top + fold + line));
    const int faceX = (size - side) / 2, faceY = lowest - side;
    const PixelBuffer picture =
        which == DesktopIcon::Document ? RenderIconPicture(IconPicture::RenderWindow, side) : PixelBuffer();
    return Draw(size, [&](double x, double y) -> std::optional<Rgb> {
        if (x < left || x >= right || y < top || y >= bottom)
            return std::nullopt;
        // Past the fold's diagonal, from (right - fold, top) to (right, top + fold).
        const double beyond = (x - (right - fold)) - (y - top);
        if (beyond > 0)
            return std::nullopt;
        if (x < left + line || x >= right - line || y < top + line || y >= bottom - line ||
            beyond > -line * std::sqrt(2.0))
            return kOutline;
        if (x >= right - fold && y < top + fold) {
            // The folded flap, with its own two edges.
            if (x < right - fold + line || y >= top + fold - line)
                return kOutline;
            return kFold;
        }
        if (x < faceX || x >= faceX + side || y < faceY || y >= faceY + side)
            return kPaper;
        const double u = (x - faceX) / side, v = (y - faceY) / side;
        if (which == DesktopIcon::Document)
            return RgbOf(picture.at(std::int32_t(u * side), side - 1 - std::int32_t(v * side)));
        // A play sign: the triangle (0.2, 0.1), (0.2, 0.9), (0.9, 0.5) of the face.
        const bool play = u >= 0.2 && std::abs(v - 0.5) <= 0.4 * (0.9 - u) / 0.7;
        return play ? kPlay : kPaper;
    });
}

}  // namespace

PixelBuffer RenderDesktopIcon(DesktopIcon which, std::int32_t size)
{
    return which == DesktopIcon::Program ? ProgramIcon(size) : SheetIcon(size, which);
}

}  // namespace korvanta
