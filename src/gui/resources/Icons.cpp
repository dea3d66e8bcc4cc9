#include "gui/resources/Icons.h"

#include "core/colorings/FractCol2304.h"
#include "core/formulas/FractAlgJulia.h"
#include "core/formulas/FractAlgMandelbrot.h"
#include "gui/render/PictureImage.h"
#include "core/render/RenderJob.h"

#include <QPixmap>

#include <functional>

namespace korvanta {

namespace {

QIcon Render(const std::function<CFractAlg*()>& formula, double xStart, double xEnd,
             double yStart, double yEnd)
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        RenderJob job(RenderSettings::ForArea(xStart, xEnd, yStart, yEnd, size, size, formula(),
                                              new CFractCol2304));
        job.CreateBitmaps();
        while (job.RenderStep() != 0) {
        }
        icon.addPixmap(QPixmap::fromImage(PictureImage(job.Pixels(), QRect(0, 0, size, size))));
    }
    return icon;
}

}  // namespace

QIcon AppIcon()
{
    static const QIcon icon =
        Render([] { return new CFractAlgMandelbrot; }, -0.6, 2.1, -1.35, 1.35);
    return icon;
}

QIcon WindowIcon()
{
    static const QIcon icon = Render(
        [] {
            auto* julia = new CFractAlgJulia;
            julia->SetConstant(CFractValue(0.8, 0.156));
            return julia;
        },
        -1.5, 1.5, -1.5, 1.5);
    return icon;
}

}  // namespace korvanta
