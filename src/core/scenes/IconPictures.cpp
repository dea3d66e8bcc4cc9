#include "core/scenes/IconPictures.h"

#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "core/render/RenderJob.h"

namespace korvanta {

PixelBuffer RenderIconPicture(IconPicture which, std::int32_t size)
{
    PictureObjects objects{nullptr, std::make_unique<CFractCol2304>()};
    RenderSettings settings;
    if (which == IconPicture::Program) {
        objects.alg = std::make_unique<CFractAlgMandelbrot>();
        settings = RenderSettings::ForArea(-0.6, 2.1, -1.35, 1.35, size, size);
    } else {
        objects.alg = std::make_unique<CFractAlgJulia>();
        objects.alg->SetConstant(CFractValue(0.8, 0.156));
        settings = RenderSettings::ForArea(-1.5, 1.5, -1.5, 1.5, size, size);
    }
    RenderJob job(settings, std::move(objects));
    job.CreateBitmaps();
    while (job.RenderStep() != 0) {
    }
    return std::move(job.Pixels());
}

}  // namespace korvanta
