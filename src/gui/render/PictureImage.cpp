#include "gui/render/PictureImage.h"

#include <vector>

namespace korvanta {

QImage PictureImage(const PixelBuffer& pixels, QRect area)
{
    area &= QRect(0, 0, pixels.width(), pixels.height());
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < area.height(); ++y) {
        const std::int32_t bufferRow = pixels.height() - 1 - (area.top() + y);
        const std::uint32_t* source =
            pixels.data() + std::size_t(bufferRow) * std::size_t(pixels.width()) + area.left();
        auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < area.width(); ++x)
            target[x] = source[x] | 0xFF000000u;
    }
    return image;
}

QImage StretchedPictureImage(const PixelBuffer& pixels, QSize size, QRect area)
{
    area &= QRect(QPoint(0, 0), size);
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    std::vector<std::int32_t> columns(area.width());
    for (int x = 0; x < area.width(); ++x)
        columns[x] = static_cast<std::int32_t>(std::int64_t{area.left() + x} * pixels.width() / size.width());
    for (int y = 0; y < area.height(); ++y) {
        const auto screenRow =
            static_cast<std::int32_t>(std::int64_t{area.top() + y} * pixels.height() / size.height());
        const std::uint32_t* source =
            pixels.data() + std::size_t(pixels.height() - 1 - screenRow) * std::size_t(pixels.width());
        auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < area.width(); ++x)
            target[x] = source[columns[x]] | 0xFF000000u;
    }
    return image;
}

}  // namespace korvanta
