#include "core/render/AspectFit.h"

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

}  // namespace korvanta
