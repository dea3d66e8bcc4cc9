#include "core/scenes/IconPictures.h"

#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderJob.h"

#include <algorithm>

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

}  // namespace korvanta
