#include "gui/render/PictureImage.h"

#include <algorithm>
#include <vector>

namespace korvanta {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

// An image of `size` in the memory of `scratch`, which grows when it is too small.
QImage ImageIn(QImage& scratch, QSize size)
{
    if (size.isEmpty())
        return QImage(size, QImage::Format_RGB32);
    if (scratch.width() < size.width() || scratch.height() < size.height()) {
        scratch = QImage(size.expandedTo(scratch.size()), QImage::Format_RGB32);
        if (scratch.isNull())
            return {};
    }
    return QImage(scratch.bits(), size.width(), size.height(), scratch.bytesPerLine(), QImage::Format_RGB32);
}

}  // namespace

// A fresh scratch is made to the size asked: the image is all of it.
QImage PictureImage(const PixelBuffer& pixels, QRect area)
{
    QImage own;
    const QImage image = PictureImage(pixels, area, own);
    return own.isNull() ? image : own;
}

QImage StretchedPictureImage(const PixelBuffer& pixels, QSize size, QRect area)
{
    QImage own;
    const QImage image = StretchedPictureImage(pixels, size, area, own);
    return own.isNull() ? image : own;
}

QImage PictureImage(const PixelBuffer& pixels, QRect area, QImage& scratch, std::int32_t blackFrom)
{
    area &= QRect(0, 0, pixels.width(), pixels.height());
    QImage image = ImageIn(scratch, area.size());
    if (image.isNull())
        return image;
    for (int y = 0; y < area.height(); ++y) {
        const std::int32_t bufferRow = pixels.height() - 1 - (area.top() + y);
        auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        if (bufferRow >= blackFrom) {
            std::fill_n(target, area.width(), kBlack);
            continue;
        }
        const std::uint32_t* source =
            pixels.data() + std::size_t(bufferRow) * std::size_t(pixels.width()) + area.left();
        for (int x = 0; x < area.width(); ++x)
            target[x] = source[x] | kBlack;
    }
    return image;
}

QImage StretchedPictureImage(const PixelBuffer& pixels, QSize size, QRect area, QImage& scratch,
                             std::int32_t blackFrom)
{
    area &= QRect(QPoint(0, 0), size);
    QImage image = ImageIn(scratch, area.size());
    if (image.isNull())
        return image;
    std::vector<std::int32_t> columns(area.width());
    for (int x = 0; x < area.width(); ++x)
        columns[x] = static_cast<std::int32_t>(std::int64_t{area.left() + x} * pixels.width() / size.width());
    for (int y = 0; y < area.height(); ++y) {
        const auto screenRow =
            static_cast<std::int32_t>(std::int64_t{area.top() + y} * pixels.height() / size.height());
        const std::int32_t bufferRow = pixels.height() - 1 - screenRow;
        auto* target = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        if (bufferRow >= blackFrom) {
            std::fill_n(target, area.width(), kBlack);
            continue;
        }
        const std::uint32_t* source = pixels.data() + std::size_t(bufferRow) * std::size_t(pixels.width());
        for (int x = 0; x < area.width(); ++x)
            target[x] = source[columns[x]] | kBlack;
    }
    return image;
}

QRect WindowRowsOf(std::int32_t fromRow, std::int32_t toRow, std::int32_t pictureHeight, QSize client)
{
    if (pictureHeight <= 0 || client.isEmpty())
        return {};
    const std::int64_t rows = pictureHeight, h = client.height();
    // Bottom-up: the buffer's last rows are the picture's first on the screen.
    const std::int64_t first = rows - std::clamp<std::int64_t>(toRow, 0, rows);
    const std::int64_t end = rows - std::clamp<std::int64_t>(fromRow, 0, rows);
    // Client row y shows picture row y * rows / h (rounded down).
    const auto top = static_cast<int>((first * h + rows - 1) / rows);
    const auto bottom = static_cast<int>((end * h + rows - 1) / rows);
    return bottom > top ? QRect(0, top, client.width(), bottom - top) : QRect();
}

}  // namespace korvanta
