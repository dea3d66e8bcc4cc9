#include "core/render/AspectFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvanta {

namespace {

std::int32_t Saturate(double value)
{
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (!(value > 0))
        return 0;
    return value >= kMax ? std::numeric_limits<std::int32_t>::max()
                         : static_cast<std::int32_t>(value);
}

}  // namespace

PictureSize FitToAspect(double xStart, double xEnd, double yStart, double yEnd,
                        PictureSize typed)
{
    const double ratio = std::fabs((xEnd - xStart) / (yEnd - yStart));
    const auto pixels = static_cast<double>(std::int64_t{typed.width} * typed.height);
    PictureSize fitted;
    fitted.height = Saturate(std::sqrt(pixels / ratio));
    fitted.width = Saturate(fitted.height * ratio);
    return fitted;
}

PictureSize FitInside(PictureSize picture, PictureSize bounds)
{
    if (picture.width <= bounds.width && picture.height <= bounds.height)
        return picture;
    const double scale = std::min(double(std::max(bounds.width, 1)) / std::max(picture.width, 1),
                                  double(std::max(bounds.height, 1)) / std::max(picture.height, 1));
    return {std::max(1, static_cast<std::int32_t>(picture.width * scale)),
            std::max(1, static_cast<std::int32_t>(picture.height * scale))};
}

}  // namespace korvanta
